// The words of the box text template language: tags such as "<nom>", event
// field words such as "date", the openings that mark event, date and place
// tags. They are part of the interface vocabulary: some are built in
// (French), all can be replaced by the words of the same number in the
// translation file, and some exist only there.
//
// The table is an ordinary object: the application owns one, refreshes it
// with RetranslateTags whenever the interface language changes, and passes
// it (through TContexteModele, templates.h) to every expansion.
#pragma once

#include <array>
#include <string>

namespace kindrela {

class TTraduction;

// Word numbers (numbers of the translation file). Words marked "file" have
// no built-in value: they are empty until RetranslateTags finds them.
enum MotBalise : int {
  kMotEvenementComplet = 2000,  // "dl": the flags of a fully known event in the summary
  // Event field words (after the "," of an event tag).
  kMotChampDate = 2002,         // "date"
  kMotChampJour = 2003,         // "jour"
  kMotChampMois = 2004,         // "mois"
  kMotChampAnnee = 2005,        // "année"
  kMotChampFete = 2006,         // "fête": name day of the date
  kMotChampZodiaque = 2007,     // "zodiaque"
  kMotChampHeure = 2008,        // file: the time
  kMotChampLieu = 2009,         // file: the whole place
  kMotChampPays = 2010,         // file: place components 1..5 are 2010..2014
  kMotChampLieuDit = 2014,
  kMotChampCodePostal = 2015,   // file
  kMotChampAdresse = 2016,      // file: locality, postal code, commune
  kMotChampNote = 2017,         // file: the event's note
  kMotSuffixeBapteme = 2018,    // file: replaces the ">" of a birth tag read from the baptism
  kMotSuffixeSepulture = 2019,  // file: the same for death read from the burial
  kMotMotifJour = 2020,         // file: placeholders of a custom date pattern
  kMotMotifMois = 2021,
  kMotMotifAnnee = 2022,
  // Date tags, whole tags (file).
  kMotDateNaissance = 2023,     // 2023, 2024
  kMotDateBapteme = 2025,       // 2025, 2026
  kMotDateDeces = 2027,         // 2027, 2028
  kMotDateSepulture = 2029,     // 2029, 2030
  kMotDateMariage = 2031,       // 2031, 2032
  kMotDateDivorce = 2033,
  kMotDateCreation = 2034,
  kMotDateModification = 2035,
  kMotMotifDate = 2036,         // 2036, 2037: first words of a custom date pattern tag
  // Place tags, whole tags (file).
  kMotLieuMariage = 2038,       // 2038, 2039
  kMotLieuDivorce = 2040,
  kMotLieuNaissance = 2041,     // 2041, 2042
  kMotLieuBapteme = 2043,       // 2043, 2044
  kMotLieuDeces = 2045,         // 2045, 2046
  kMotLieuSepulture = 2047,     // 2047, 2048
  // Person tags.
  kMotPre = 2049,               // "<pre>", "<prénom>", "<prénoms>": 2049..2051
  kMotProfession = 2052,
  kMotPhoto = 2053,
  kMotPrenomPrincipal = 2055,
  kMotNom = 2056,
  kMotNumero = 2057,
  kMotNote = 2058,
  kMotRetourPersonne = 2059,    // file: back to the box person
  kMotOuvertureEvenement = 2064,  // file: 2064..2066, five characters each
  kMotSexe = 2067,              // file: the sex tag, 2068 word for a man, 2069 otherwise
  kMotHomme = 2068,
  kMotFemme = 2069,
  kMotAge = 2070,               // file
  kMotDernierConjoint = 2071,   // file
  kMotOuvertureChamp = 2072,    // file: five characters, then a custom field's name
  kMotResume = 2073,            // file: the event summary
  kMotNumeroGenealogique = 2074,  // file: 2074, 2075
  kMotNumeroFiche = 2076,       // file: the record number
  kMotIndividu = 2077,          // "<i", "<père>", "<mère>": for the tag editor
  kMotPere = 2078,
  kMotMere = 2079,
  kMotConjoint = 2080,          // "<conjoint": spouse navigation
  kMotUnion = 2081,             // "<union": union navigation
  kMotDebutEvenement = 2082,    // "<e", "<é": 2082, 2083, two characters each
  kMotDebutDate = 2086,         // "<d": two characters
  kMotDebutLieu = 2087,         // "<l": two characters
  kMotLigneHomme = 2088,        // "<h>": the line shows for men only
  kMotLigneFemme = 2089,        // "<f>": the line shows for women only
};

class TMotsBalises {
 public:
  static constexpr int kPremier = 2000;
  static constexpr int kDernier = 2089;

  // The built-in words; the words that exist only in the translation file
  // are empty.
  TMotsBalises();

  // Word `numero`; the empty text outside kPremier..kDernier and for a word
  // that has no value.
  const std::string& Mot(int numero) const;
  // Sets one word (ignored outside kPremier..kDernier).
  void DefinitMot(int numero, std::string mot);

  // Every word of kPremier..kDernier that the translation holds in its
  // current language replaces the word in the table. A word the
  // translation lacks (empty text) keeps its current value, so that a
  // partial translation file never disables a built-in tag. Nothing happens
  // when no translation file is loaded.
  void RetranslateTags(const TTraduction& traduction);

 private:
  std::array<std::string, kDernier - kPremier + 1> m_mots;
};

}  // namespace kindrela

// The keys of "gene.ini": names, sorts and defaults.
#include <array>

#include "app/settings.h"
#include "core/ansi_literal.h"
#include "core/text.h"

namespace kindrela {
namespace {

constexpr TCleReglage Cle(std::string_view section, std::string_view cle, SorteReglage sorte,
                          int defaut, std::array<int, 3> messages = {}, bool lectureSeule = false,
                          std::string_view cleEcrite = {}) {
  return TCleReglage{section, cle, cleEcrite.empty() ? cle : cleEcrite, sorte, defaut,
                     messages, lectureSeule};
}
constexpr TCleReglage B(std::string_view s, std::string_view c, bool d, bool ro = false) {
  return Cle(s, c, SorteReglage::Booleen, d ? 1 : 0, {}, ro);
}
constexpr TCleReglage E(std::string_view s, std::string_view c, int d, bool ro = false) {
  return Cle(s, c, SorteReglage::Entier, d, {}, ro);
}
constexpr TCleReglage T(std::string_view s, std::string_view c, std::array<int, 3> m = {},
                        bool ro = false) {
  return Cle(s, c, SorteReglage::Texte, 0, m, ro);
}
constexpr TCleReglage L(std::string_view s, std::string_view c) {
  return Cle(s, c, SorteReglage::Lignes, 0);
}
constexpr TCleReglage R(std::string_view c, int d) {
  return Cle(kSectionOptions, c, SorteReglage::Raccourci, d);
}

constexpr bool kLu = true;  // read-only key
constexpr std::string_view F = kSectionFenetre, G = kSectionGene, O = kSectionOptions,
                           S = kSectionStat, V = kSectionSauve, W = kSectionWeb;

constexpr TCleReglage kCles[] = {
    // Window bounds; 0 everywhere means "centre it". The main window's
    // left edge -999 means it was never saved.
    E(F, "kindrL", -999), E(F, "kindrT", 20), E(F, "kindrW", 600), E(F, "kindrH", 400),
    E(F, "ficheL", 0), E(F, "ficheT", 0), E(F, "ficheW", 0), E(F, "ficheH", 0),
    E(F, "CarteL", 0), E(F, "CarteT", 0), E(F, "CarteW", 0), E(F, "CarteH", 0),
    E(F, "celluleL", 0), E(F, "celluleT", 0),
    E(F, "RapportCritereL", 0), E(F, "RapportCritereT", 0),
    E(F, "RapportL", 0), E(F, "RapportT", 0), E(F, "RapportW", 0), E(F, "RapportH", 0),
    E(F, "StatL", 0), E(F, "StatT", 0), E(F, "StatW", 0), E(F, "StatH", 0),
    E(F, "CalL", 0), E(F, "CalT", 0), E(F, "CalW", 0), E(F, "CalH", 0),
    E(F, "FicheArbreL", 0), E(F, "FicheArbreT", 0),

    T(G, "VoirInfo"),
    E(G, "PrintZoom", 100),
    E(G, "PrintCroise", 0),
    E(G, "PrintMargeH", 0, kLu),
    E(G, "PrintMargeG", 0, kLu),
    B(G, "ZoomAuto", true),
    B(G, "Print ZoomAuto", true),
    B(G, "AfficheBulle", true),
    // The chart's last spouses and siblings, kept from one run to the next.
    B(G, "AfficheConjoint", false),
    B(G, "AfficheFratrie", false),
    // The resolution pictures of the chart were last written at.
    E(G, "ImageDpi", 150),
    T(G, "OldFileName"),

    B(O, "NomMaj", true),
    B(O, "PreMaj", true),
    B(O, "SaisieNom", true),
    E(O, "SaisieNomNbre", 25),
    E(O, "SaisieLieu", 0),
    B(O, "SaisieChp", true),
    E(O, "SaisieChpNbre", 25),
    B(O, "Numérote"_ansi, false),
    B(O, "NuméroteFamille"_ansi, false),
    B(O, "NuméroteConjoint"_ansi, false),
    E(O, "NuméroteGen"_ansi, 5),
    B(O, "AjoutePers", true),
    B(O, "LienAuto", false),
    B(O, "FicheIdEnRech", true),
    E(O, "AvApMenu", 10),
    E(O, "AnnulationMo", 256),
    B(O, "Lokaro", true),
    T(O, "FicheTitre", {511, 1000, 1001}),
    T(O, "Fiche1", {1000, 1001}),
    T(O, "Fiche2", {1000, 1001}),
    R("Rac112", 112), R("Rac113", 113), R("Rac115", 115), R("Rac116", 116),
    R("Rac16500", 16500), R("Rac118", 118), R("Rac123", 123), R("Rac16487", 16487),
    R("Rac16489", 16489), R("Rac16493", 16493), R("Rac16491", 16491), R("Rac16484", 16484),
    R("Rac16486", 16486), R("Rac16482", 16482), R("Rac16480", 16480),
    E(O, "AgeMarMin", 15),
    E(O, "AgeMarMax", 70),
    E(O, "AgeEnfMin", 15),
    E(O, "AgeEnfMax", 70),
    Cle(O, "AgedecesMax", SorteReglage::Entier, 110, {}, false, "AgeDecesMax"),
    E(O, "EcartConjMax", 20),
    B(O, "AjouteEve", false),
    E(O, "Generation", 25),
    B(O, "Raccourci démarrer"_ansi, true, kLu),
    B(O, "Raccourci bureau", true, kLu),
    T(O, "Couleur", {}, kLu),  // empty: the main window's page colour
    T(O, "Texture", {}, kLu),
    E(O, "FicheForme", 1),
    E(O, "CalNbre", 2),
    B(O, "CalWE", true),
    B(O, "CalFete", false, kLu),
    B(O, "SrcSorte", true),
    B(O, "SrcNote", true),
    B(O, "SrcPers", true),
    B(O, "SrcFichier", true),
    B(O, "SrcFichierReduc", true),
    B(O, "SrcFichierLien", false),
    E(O, "SrcFichierMax", 150),
    B(O, "AFAnni", true),
    B(O, "AFFete", true),
    B(O, "AFJour", true),
    B(O, "AFDemarre", false),
    E(O, "AFNbreJour", 7),
    B(O, "WebBrowser", true),
    T(O, "Photo", {512}),
    T(O, "Auteur", {513}),
    T(O, "AuteurLien", {514}),

    // The map shown last (the map window).
    T("Carte", "Nom"),

    E(S, "DateMin", 1000), E(S, "DateMax", 2100),
    E(S, "AgeMin", 0), E(S, "AgeMax", 100), E(S, "AgePas", 10),
    E(S, "AnneeMin", 1900), E(S, "AnneeMax", 2100), E(S, "AnneePas", 10),

    B(V, "KdgDeplace", false),
    B(V, "KdgZippe", false),
    B(V, "KdgInclure", false),
    B(V, "KdgRaccourcis", true),
    T(V, "GeneaNom"),
    T(V, "GeneaPass"),
    B(V, "GeneaDate", false),
    B(V, "GeneaLieu", false),
    B(V, "GeneaVoir", false),
    B(V, "GeneaMail", false),
    B(V, "GedLien", true),
    B(V, "GedChp", true),
    B(V, "GedEveNote", true),
    B(V, "GedEve", true),
    B(V, "GedNote", true),
    B(V, "GedSrc", true),
    B(V, "GedPasInfosCent", false),
    B(V, "GedInfoAuteur", false),
    B(V, "GedAnsel", true),
    B(V, "GedDos", false),
    B(V, "GedWin", false),
    B(V, "GedZippeGed", false),
    T(V, "GedInfoIdentite"),
    L(V, "GedInfoAdresse"),
    B(V, "HtmlListe", true),
    B(V, "HtmlFiche", true),
    B(V, "HtmlFichier", true),
    B(V, "HtmlDyna", true),
    B(V, "HtmlPatro", true),
    B(V, "HtmlLieux", true),
    B(V, "HtmlNavigateur", true),
    T(V, "HtmlTitre", {515}),
    L(V, "HtmlTexteLibre"),
    B(V, "HtmlListe1", false),
    B(V, "HtmlListe2", false),
    B(V, "HtmlListe3", true),
    B(V, "HtmlListe4", false),
    E(V, "HtmlListe2val", 25),
    B(V, "HtmlListeLienAccueil", true),
    E(V, "HtmlNbre", 25),
    B(V, "HtmlFicheLienAccueil", true),

    // The web cards: links, given names, the sections shown; the JPEG
    // quality of the site's pictures.
    B(W, "Liens", true),
    B(W, "Prenoms", true),
    B(W, "Parents", true),
    B(W, "Fratrie", true),
    B(W, "Enfants", true),
    B(W, "Unions", true),
    B(W, "EveUnions", true),
    B(W, "Champs", true),
    B(W, "Eve", true),
    B(W, "EveCalc", true),
    B(W, "Notes", true),
    B(W, "Sources", true),
    E(W, "Qualite", 75),
};

// The shortcut slots' defaults, slot by slot; each is also the number in
// the slot's key name.
constexpr std::array<int, kNbreRaccourcis> kRaccourcisDefaut = {
    112, 113, 115, 116, 16500, 118, 123, 16487, 16489, 16493, 16491, 16484, 16486, 16482, 16480};

}  // namespace

std::span<const TCleReglage> ClesReglages() { return kCles; }

const TCleReglage* TrouveCleReglage(std::string_view section, std::string_view cle) {
  for (const auto& c : kCles)
    if (EgalSansCasse(c.section, section) && EgalSansCasse(c.cle, cle)) return &c;
  return nullptr;
}

int RaccourciDefaut(int slot) {
  if (slot < 0 || slot >= kNbreRaccourcis) return 0;
  return kRaccourcisDefaut[static_cast<size_t>(slot)];
}

std::string CleRaccourci(int slot) { return "Rac" + std::to_string(RaccourciDefaut(slot)); }

int RaccourciLu(int stocke, int defaut) {
  if (stocke > 111) return stocke;
  if (stocke == 0) return 0;
  return defaut;
}

}  // namespace kindrela

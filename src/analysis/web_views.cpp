#include "analysis/web_views.h"

#include <algorithm>
#include <cstdint>

#include "analysis/report_html.h"
#include "analysis/web_page.h"
#include "chart/kinship.h"
#include "core/ansi_literal.h"
#include "core/database.h"
#include "core/file_io.h"
#include "core/text.h"

namespace kindrela {
namespace {

constexpr int kHomme = 0;

std::string Type(bool homme) { return homme ? "\"square\"" : "\"circle\""; }

struct TContexteAscendance {
  const TBD& bd;
  const TGabaritPage& g;
  const TOptionsAscendance& o;
  std::string texte;
  int compteur = 0;

  // " (Fratrie: ...)" or " (Autres conjoints: ...)".
  void Parents(int personne, const std::vector<int>& liste, std::string_view titre) {
    if (liste.empty()) return;
    texte += "<small> (" + std::string(titre) + ": ";
    const std::string nom = bd.LitNom(personne);
    for (size_t i = 0; i < liste.size(); ++i) {
      const int r = liste[i];
      if (i) texte += ", ";
      const std::string texteLien =
          bd.LitNom(r) != nom ? bd.LitNom(r) + " " + bd.LitPrenoms(r) : bd.LitPrenoms(r);
      texte += "<a href=\"" + g.adresseFiche(r) + "\">" + EchappeHtml(texteLien) + "</a>";
    }
    texte += ")</small>";
  }

  // One line of the list; `personne` 0 for an empty position, `partenaire`
  // the other position of the pair (0: none or unknown).
  void Entree(uint64_t sosa, bool homme, std::string_view etiquette, int personne, int partenaire,
              int generation) {
    texte += "<li type=" + Type(homme) + ">" + std::to_string(sosa) + " - ";
    if (!etiquette.empty()) texte += std::string(etiquette) + " ";
    if (personne > 0) {
      texte += g.lienPersonne(personne);
      if (o.complement) texte += " " + EchappeHtml(o.complement(personne)) + " ";
      if (o.fratrie) Parents(personne, SiblingsOf(bd, personne).Vecteur(), "Fratrie");
      if (o.conjoints && generation >= 2) {
        std::vector<int> autres;
        for (int c : SpousesOf(bd, personne))
          if (c > 0 && c != partenaire && std::find(autres.begin(), autres.end(), c) == autres.end())
            autres.push_back(c);
        Parents(personne, autres, "Autres conjoints");
      }
    }
    texte += "</li>";
    ++compteur;
  }
};

// A known position of a generation: its index j from 0 and its person.
struct TPosition {
  uint64_t j;
  int personne;
};

// True when r already stands on the line from the position `j` of
// generation `n` down to the root (its own descendants in the list).
bool SurLaLignee(const std::vector<std::vector<TPosition>>& generations, size_t n, uint64_t j, int r) {
  for (size_t m = n + 1; m-- > 0; j >>= 1) {
    const std::vector<TPosition>& gen = generations[m];
    auto it = std::lower_bound(gen.begin(), gen.end(), j,
                               [](const TPosition& a, uint64_t v) { return a.j < v; });
    if (it != gen.end() && it->j == j && it->personne == r) return true;
  }
  return false;
}

}  // namespace

int PersonneDuLien(std::string_view lien, int fichesParPage, int nbreFiches) {
  const int r = PersonneDuLien(lien, fichesParPage);
  return r <= nbreFiches ? r : 0;
}

void AjouteFichierSupplementaire(std::vector<std::string>& fichiers, const std::string& chemin) {
  if (std::find(fichiers.begin(), fichiers.end(), chemin) == fichiers.end()) fichiers.push_back(chemin);
}

std::string ProchainFichierLibre(const std::string& dossier, std::string_view prefixe, std::string_view extension) {
  for (int n = 1;; ++n) {
    std::string chemin = dossier + std::string(prefixe) + std::to_string(n) + std::string(extension);
    if (!FichierExiste(chemin)) return chemin;
  }
}

std::string PageArbre(const TGabaritPage& g, std::string_view mot558, int r) {
  const std::string nom = std::string(mot558) + " " + g.nomPersonne(r);
  std::string p = g.entete(nom + ".");
  p += "<H3>" + EchappeHtml(nom) + "</H3>\r\n";
  p += "<p align=\"center\"><img src=\"arbre" + std::to_string(r) + ".jpg\"></p>\r\n";
  p += g.pied();
  return p;
}

std::string PageStatistique(const TGabaritPage& g, std::string_view titre, std::string_view population,
                            std::string_view image, const std::vector<std::string>& commentaire) {
  std::string p = g.entete(titre);
  p += "<h1>" + EchappeHtml(titre) + "</h1>\r\n<p>" + EchappeHtml(population) + "</p>\r\n<img src=\"" +
       EchappeHtml(image) + "\" alt=\"\">\r\n";
  for (const std::string& l : commentaire) p += "<p>" + EchappeHtml(l) + "</p>\r\n";
  p += g.pied();
  return p;
}

std::string PageCarte(const TGabaritPage& g, std::string_view titre, std::string_view image,
                      std::string_view nomCarte, const std::vector<std::string>& lignes) {
  std::string p = g.entete(titre);
  p += "<h1>" + EchappeHtml(titre) + "</h1>\r\n";
  if (!image.empty())
    p += "<p><img src=\"" + EchappeHtml(image) + "\" alt=\"" + EchappeHtml(nomCarte) + "\"></p>\r\n";
  p += "<ul>\r\n";
  for (const std::string& l : lignes) p += "<li>" + l + "</li>\r\n";
  p += "</ul>\r\n";
  p += g.pied();
  return p;
}

std::string PageFiches(const TGabaritPage& g, std::string_view titre, const std::vector<int>& personnes,
                       const std::function<std::string(int r)>& carte, bool encadre) {
  std::string p = g.entete(titre);
  for (int r : personnes) p += encadre ? "<p>" + carte(r) + "</p>\r\n" : carte(r) + "\r\n";
  p += g.pied();
  return p;
}

std::string PageSources(const TBD& bd, const TGabaritPage& g, const TOptionsPageSources& o,
                        const TMotsPageSources& mots, const std::vector<int>* personnes,
                        std::string_view titreRapport,
                        const std::function<std::string(const std::string& fichier)>& image) {
  const int nbreSrc = bd.NbreSrc();
  std::vector<std::vector<int>> notes(static_cast<size_t>(nbreSrc) + 1);
  auto note = [&](int r) {
    if (!bd.FicheUtilisee(r)) return;
    const Texte& tab = bd.Fiche(r).TabSrc;
    for (int k = 1, n = NbreEntrees(tab); k <= n; ++k) {
      const int s = LitEntree(tab, k);
      if (s < 1 || s > nbreSrc) continue;
      std::vector<int>& v = notes[static_cast<size_t>(s)];
      if (v.empty() || v.back() != r) v.push_back(r);
    }
  };
  if (personnes) {
    for (int r : *personnes) note(r);
  } else {
    for (int r = 1; r <= bd.NbreFiche(); ++r) note(r);
  }

  std::string p = g.entete(mots.titre);
  p += "<h3>" +
       EchappeHtml(personnes ? mots.rapport + " " + std::string(titreRapport) : mots.tout) + "</h3>\r\n";
  for (int s = 1; s <= nbreSrc; ++s) {
    const std::vector<int>& v = notes[static_cast<size_t>(s)];
    if (!bd.SrcUtilisee(s) || (personnes && v.empty())) continue;
    const TSrc& src = bd.Src(s);
    p += "<p>\r\n<table border=\"0\" cellpadding=\"1\" cellspacing=\"1\" width=\"95%\">\r\n<tr>";
    if (o.fichier && image) {
      const std::string fichier = src.SrcMedia.substr(0, src.SrcMedia.find('|'));
      const std::string markup = fichier.empty() ? std::string() : image(fichier);
      if (!markup.empty()) p += "<td width=\"30%\">" + markup + "</td>";
    }
    p += "<td><b>" + EchappeHtml(src.SrcTitre) + "</b>";
    if (o.sorte && !src.SrcAbrege.empty()) p += "<br><br>" + EchappeHtml(src.SrcAbrege);
    if (o.note && !src.SrcTexte.empty()) p += "<br><br>" + EchappeHtml(src.SrcTexte);
    if (o.personnes && !v.empty()) {
      p += "<br><br>";
      for (size_t i = 0; i < v.size(); ++i) p += (i ? ", " : "") + g.lienPersonne(v[i]);
    }
    p += "</td></tr></table>\r\n</p>\r\n";
  }
  p += g.pied();
  return p;
}

std::string PageAscendance(const TBD& bd, const TGabaritPage& g, int p, const TOptionsAscendance& o) {
  TContexteAscendance c{bd, g, o, {}, 0};
  const int demandees = std::clamp(o.generations, 1, 99);
  const bool absents = o.mode == ModeAscendance::AvecAbsents;
  const int limite = std::min(demandees, absents ? kGenerationsMaxAvecAbsents : 62);
  c.texte = "<h2>Ascendance de " + EchappeHtml(g.nomPersonne(p)) + "</h2>" + "Sur " + std::to_string(demandees) +
            " génération"_ansi + (demandees < 2 ? "." : "s.");
  if (o.mode == ModeAscendance::Manquants) c.texte += "<br>Les ascendants manquant.";
  c.texte += "\r\n";

  // Only the known positions are kept, in position order: a generation
  // costs what it holds, however wide it is.
  std::vector<std::vector<TPosition>> generations;
  generations.emplace_back();
  if (bd.FicheUtilisee(p)) generations.back().push_back({0, p});
  for (int n = 1; n <= limite; ++n) {
    const std::vector<TPosition>& gen = generations.back();
    const uint64_t largeur = uint64_t{1} << (n - 1);
    const uint64_t connus = gen.size();
    c.texte += "<h3>Génération "_ansi + std::to_string(n) + " (" + std::to_string(connus) + "/" +
               std::to_string(largeur) + " : " + std::to_string(connus * 100 / largeur) + "%)</h3><ul>\r\n";
    auto personneEn = [&](uint64_t j) {
      auto it = std::lower_bound(gen.begin(), gen.end(), j,
                                 [](const TPosition& a, uint64_t v) { return a.j < v; });
      return it != gen.end() && it->j == j ? it->personne : 0;
    };
    auto partenaireDe = [&](uint64_t j) { return n == 1 ? 0 : personneEn(j ^ 1); };
    const auto entreePosition = [&](uint64_t j, int personne) {
      const uint64_t sosa = largeur + j;
      const int partenaire = partenaireDe(j);
      switch (o.mode) {
        case ModeAscendance::ParGeneration:
          if (personne > 0) c.Entree(sosa, bd.LitSexe(personne) == kHomme, {}, personne, partenaire, n);
          break;
        case ModeAscendance::AvecAbsents:
          c.Entree(sosa, personne > 0 ? bd.LitSexe(personne) == kHomme : j % 2 == 0, {}, personne, partenaire, n);
          break;
        case ModeAscendance::Manquants:
          if (personne > 0) {
            if (bd.Fiche(personne).NumP <= 0 && bd.Fiche(personne).NumM <= 0)
              c.Entree(sosa, bd.LitSexe(personne) == kHomme, "Les parents de", personne, partenaire, n);
          } else if (partenaire > 0) {
            // The missing one is of the sex opposite to the partner's.
            c.Entree(sosa, bd.LitSexe(partenaire) != kHomme, "Conjoint de", partenaire, 0, n);
          }
          break;
      }
    };
    if (absents) {
      for (uint64_t j = 0; j < largeur; ++j) entreePosition(j, personneEn(j));
    } else {
      // Modes 0 and 2 only look at the known positions and their partners.
      for (size_t i = 0; i < gen.size(); ++i) {
        const uint64_t j = gen[i].j;
        const uint64_t pair = j & ~uint64_t{1};
        if (n > 1 && j == pair + 1 && (i == 0 || gen[i - 1].j != pair)) entreePosition(pair, 0);
        entreePosition(j, gen[i].personne);
        if (n > 1 && j == pair && (i + 1 == gen.size() || gen[i + 1].j != pair + 1)) entreePosition(pair + 1, 0);
      }
    }
    c.texte += "</ul>\r\n";
    if (n == limite) break;
    std::vector<TPosition> suivante;
    for (const TPosition& pos : gen) {
      const TFiche& f = bd.Fiche(pos.personne);
      const int parents[2] = {f.NumP, f.NumM};
      for (uint64_t k = 0; k < 2; ++k) {
        const int parent = parents[k];
        if (parent > 0 && bd.FicheUtilisee(parent) &&
            !SurLaLignee(generations, generations.size() - 1, pos.j, parent))
          suivante.push_back({pos.j * 2 + k, parent});
      }
    }
    generations.push_back(std::move(suivante));
  }
  c.texte += "Il y a " + std::to_string(c.compteur) + " personnes.";
  return g.entete("Rapport") + c.texte + "\r\n" + g.pied();
}

}  // namespace kindrela

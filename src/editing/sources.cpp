#include "editing/sources.h"

#include <algorithm>

#include "core/database.h"
#include "core/file_io.h"
#include "core/journal.h"
#include "core/text.h"

namespace kindrela {

namespace {

std::string Barres(std::string chemin) {
  std::replace(chemin.begin(), chemin.end(), '\\', '/');
  return chemin;
}

bool EntierSigne(std::string_view s) {
  if (!s.empty() && s[0] == '-') s.remove_prefix(1);
  return !s.empty() && EstEntier(s);
}

// Every field between "|": a legend list may be thousands long.
std::vector<std::string> Champs(std::string_view s) {
  std::vector<std::string> v;
  size_t debut = 0;
  while (true) {
    const size_t fin = s.find('|', debut);
    v.emplace_back(s.substr(debut, fin == std::string_view::npos ? std::string_view::npos : fin - debut));
    if (fin == std::string_view::npos) return v;
    debut = fin + 1;
  }
}

}  // namespace

TMediaSource LitMedia(std::string_view media) {
  TMediaSource m;
  const size_t barre = media.find('|');
  m.fichier = std::string(media.substr(0, barre));
  if (barre == std::string_view::npos) return m;
  const std::string_view reste = media.substr(barre + 1);
  if (reste.empty()) return m;
  std::vector<std::string> champs = Champs(reste);
  bool legendes = champs.size() % 3 == 0;
  for (size_t i = 0; legendes && i < champs.size(); i += 3)
    legendes = EntierSigne(champs[i]) && EntierSigne(champs[i + 1]);
  if (!legendes) {
    m.note = std::string(reste);
    return m;
  }
  for (size_t i = 0; i + 2 < champs.size() && m.legendes.size() < kLegendesMax; i += 3)
    m.legendes.push_back(
        TZone{TexteVersEntier(champs[i]), TexteVersEntier(champs[i + 1]), champs[i + 2]});
  return m;
}

std::string EcritMedia(const TMediaSource& m) {
  std::string s = m.fichier;
  if (!m.legendes.empty()) {
    for (const TZone& z : m.legendes) {
      std::string texte = z.texte;
      std::replace(texte.begin(), texte.end(), '|', '/');
      s += "|" + std::to_string(z.x) + "|" + std::to_string(z.y) + "|" + texte;
    }
  } else if (!m.note.empty()) {
    s += "|" + m.note;
  }
  return s;
}

std::string ResoutMedia(const std::string& nom, const TDossiersMedia& d) {
  if (nom.empty()) return {};
  const std::string normal = Barres(nom);
  const std::string dossierArbre = d.fichierArbre.empty() ? std::string() : DossierDe(Barres(d.fichierArbre));
  const bool sansDossier = normal.find('/') == std::string::npos;
  if (sansDossier && !dossierArbre.empty() && FichierExiste(dossierArbre + normal))
    return dossierArbre + normal;
  if (FichierExiste(nom)) return nom;
  if (!sansDossier && FichierExiste(normal)) return normal;
  const std::string partie = NomDe(normal);
  if (partie.empty()) return {};
  if (!d.modele.empty() && FichierExiste(d.modele + partie)) return d.modele + partie;
  if (!dossierArbre.empty()) {
    if (FichierExiste(dossierArbre + partie)) return dossierArbre + partie;
    const std::string jpg = ChangeExtension(dossierArbre + partie, ".jpg");
    if (FichierExiste(jpg)) return jpg;
  }
  if (!d.programme.empty() && FichierExiste(d.programme + partie)) return d.programme + partie;
  return {};
}

std::string SorteFichier(std::string_view nom) {
  const std::string normal = Barres(std::string(nom));
  const std::string partie = NomDe(normal);
  const size_t point = partie.rfind('.');
  if (point == std::string::npos) return {};
  return MajusculesAnsi(std::string_view(partie).substr(point + 1, 3));
}

GenreMedia GenreDe(std::string_view nom) {
  if (nom.empty()) return GenreMedia::Aucun;
  const std::string s = SorteFichier(nom);
  for (const char* image : {"BMP", "GIF", "JPG", "JPE", "PNG"})
    if (s == image) return GenreMedia::Image;
  for (const char* lu : {"WAV", "AVI", "MP3", "OGG", "OGA", "OGV", "MP4", "MPG", "MPE", "WEB", "FLA", "M4A"})
    if (s == lu) return GenreMedia::Lecteur;
  return GenreMedia::Autre;
}

bool PeutEtrePhotoArbre(std::string_view nom) {
  const std::string s = SorteFichier(nom);
  return s == "BMP" || s == "JPG" || s == "JPE" || s == "PNG";
}

std::string NomMediaStocke(const std::string& chemin, const std::string& fichierArbre) {
  if (fichierArbre.empty()) return chemin;
  const std::string normal = Barres(chemin);
  if (EgalSansCasse(DossierDe(normal), DossierDe(Barres(fichierArbre)))) return NomDe(normal);
  return chemin;
}

int ZoomLongueur(int l, int z) {
  if (z >= 2) return static_cast<int>(static_cast<long long>(l) * z / 100);
  if (z <= -2) return static_cast<int>(static_cast<long long>(l) * 100 / -z);
  return l;
}

int ZoomInverse(int l, int z) {
  if (z >= 2) return static_cast<int>(static_cast<long long>(l) * 100 / z);
  if (z <= -2) return static_cast<int>(static_cast<long long>(l) * -z / 100);
  return l;
}

int ZoomInitial(int largeur) { return largeur >= 214 ? -(largeur * 100 / 213) : 100; }

int ZoomPlus(int z) {
  if (z >= 1600) return z;
  // Integer division truncates towards zero, as the steps were designed with.
  int n = (z / 100) * 100 + 100;
  return n == -100 ? 100 : n;
}

int ZoomMoins(int z) {
  if (z < -1599) return z;
  int n = (z / 100) * 100 - 100;
  return n == 0 ? -200 : n;
}

std::vector<int> PersonnesDeSource(const TBD& bd, int s) {
  std::vector<int> v;
  if (s <= 0) return v;
  for (int n = 1; n <= bd.NbreFiche(); ++n) {
    const TFiche& f = bd.Fiche(n);
    if (!f.Utilise) continue;
    for (int k = 1; k <= NbreEntrees(f.TabSrc); ++k)
      if (LitEntree(f.TabSrc, k) == s) {
        v.push_back(n);
        break;
      }
  }
  return v;
}

std::vector<int> CitationsParSource(const TBD& bd) {
  std::vector<int> compte(static_cast<size_t>(bd.NbreSrc()) + 1, 0);
  std::vector<int> vu(compte.size(), 0);  // the last person counted for each source
  for (int n = 1; n <= bd.NbreFiche(); ++n) {
    const TFiche& f = bd.Fiche(n);
    if (!f.Utilise) continue;
    for (int k = 1; k <= NbreEntrees(f.TabSrc); ++k) {
      const int s = LitEntree(f.TabSrc, k);
      if (s < 1 || s > bd.NbreSrc() || vu[static_cast<size_t>(s)] == n) continue;
      vu[static_cast<size_t>(s)] = n;
      ++compte[static_cast<size_t>(s)];
    }
  }
  return compte;
}

std::vector<int> SourcesEnUsage(const TBD& bd, std::string_view sorte) {
  std::vector<int> v;
  for (int s = 1; s <= bd.NbreSrc(); ++s) {
    const TSrc& src = bd.Src(s);
    if (src.Utilise && (sorte.empty() || src.SrcAbrege == sorte)) v.push_back(s);
  }
  return v;
}

std::vector<std::string> SortesDeSource(const std::vector<std::vector<std::string>>& g) {
  std::vector<std::string> v;
  for (size_t i = 1; i < g.size(); ++i)
    if (!g[i].empty() && !g[i][0].empty()) v.push_back(g[i][0]);
  return v;
}

void SupprimeSource(TBD& bd, int s) {
  if (s < 1 || s > bd.NbreSrc()) return;
  TEtapeJournal etape(bd, "suppression de la source " + bd.Src(s).SrcTitre);
  for (int n : PersonnesDeSource(bd, s)) {
    while (true) {
      const Texte& tab = bd.Fiche(n).TabSrc;
      bool present = false;
      for (int k = 1; k <= NbreEntrees(tab) && !present; ++k) present = LitEntree(tab, k) == s;
      if (!present) break;
      bd.RetireSrc(n, s);
    }
  }
  bd.EffaceSrc(s);
}

std::string TexteMemo(std::string_view texte) {
  std::string s;
  s.reserve(texte.size() + 16);
  for (size_t i = 0; i < texte.size(); ++i) {
    const char c = texte[i];
    if (c == '\r') {
      s += "\r\n";
      if (i + 1 < texte.size() && texte[i + 1] == '\n') ++i;
    } else if (c == '\n') {
      s += "\r\n";
    } else {
      s += c;
    }
  }
  while (!s.empty() && (s.back() == ' ' || s.back() == '\r' || s.back() == '\n')) s.pop_back();
  return s;
}

std::vector<TLigneAudit> AuditSources(const TBD& bd, const TDossiersMedia& dossiers) {
  std::vector<TLigneAudit> lignes;
  const std::vector<int> citations = CitationsParSource(bd);
  for (int s : SourcesEnUsage(bd, {})) {
    const TSrc& src = bd.Src(s);
    TLigneAudit l;
    l.source = s;
    l.titre = src.SrcTitre;
    l.fichier = LitMedia(src.SrcMedia).fichier;
    l.trouve = !l.fichier.empty() && !ResoutMedia(l.fichier, dossiers).empty();
    l.citations = citations[static_cast<size_t>(s)];
    lignes.push_back(std::move(l));
  }
  return lignes;
}

}  // namespace kindrela

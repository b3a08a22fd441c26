// The database check: repairs which record owns which event.
#include "core/database.h"

#include "core/ansi_literal.h"
#include "core/journal.h"
#include "core/text.h"
#include "core/value_limit.h"

namespace kindrela {

namespace {

// The texts are written here in UTF-8 for readability; records and
// messages hold Windows-1252.
std::string Ansi(const char* utf8) { return Utf8VersAnsi(utf8); }

const std::string kFinLigne = "\r\n";
const std::string kQ = "\"";

}  // namespace

std::string TBD::VerifieBase(const std::function<bool(const std::string& question)>& confirme) {
  static const std::string question = Ansi(
      "Attention !\r\nIl est conseillé de réaliser une sauvegarde au cas ou il y aurait une "
      "perte de donnée.\r\nVoulez-vous réaliser la vérification maintenant ?");
  if (!confirme || !confirme(question)) return {};
  TEtapeJournal etape(*this, Ansi("vérification de la base"));

  static const std::string evenement = Ansi(" : L'événement ");
  static const std::string horsLimite =
      Ansi(" a un problème d'index hors limite et a été supprimé.");
  static const std::string lienCroise = Ansi(" a un problème de lien croisé avec ");
  static const std::string lienCroiseUnion = Ansi(" a un problème de lien croisé avec l'union ");
  static const std::string double_ = Ansi(" et a été doublé.");
  static const std::string revalide = Ansi(" a un problème de validation et a été revalidé.");
  static const std::string orphelinDebut = Ansi("L'événement ");
  static const std::string orphelin = Ansi(" n'est lié à personne et est supprimé.");

  std::string rapport;
  // Owner of each event: > 0 a person, < 0 the union of that number, 0 nobody.
  std::vector<int> proprio(static_cast<size_t>(NbreEve()) + 1, 0);
  ModeAjout = 1;

  auto nomUnion = [this](int u) {
    const TUnion& x = m_unions[u];
    return NomCourt(x.NumH) + " et " + NomCourt(x.NumF);
  };
  auto nomProprio = [&](int p) {
    return p > 0 ? NomCourt(p) : nomUnion(-p);
  };

  // One owner's list: `moi` is its signed owner number, `nom` how the report
  // names it. Allocating the copies grows only the event table, so `tab`
  // stays valid.
  auto parcourt = [&](Texte& tab, int moi, const std::string& nom, bool estUnion) {
    auto avantModif = [&] {
      if (moi > 0) FicheModif(moi); else UnionModif(-moi);
    };
    int s = 1;
    while (s <= NbreEntrees(tab)) {
      int e = LitEntree(tab, s);
      if (!m_eves.Valide(e)) {
        // An entry outside the table has no kind to show.
        rapport += nom + evenement + kQ + kQ + horsLimite + kFinLigne;
        avantModif();
        RetireEntree(tab, s);
        Change();
        continue;
      }
      const std::string nature(m_eves[e].Nature);
      if (proprio[e] != 0) {
        int autre = proprio[e];
        rapport += nom + evenement + kQ + nature + kQ +
                   (estUnion && autre < 0 ? lienCroiseUnion : lienCroise) + kQ +
                   nomProprio(autre) + kQ + double_ + kFinLigne;
        avantModif();
        RetireEntree(tab, s);
        Change();
        TEve copie = m_eves[e];
        int nouveau = AjouteEve(tab);
        if (nouveau != 0) {
          TEve& x = EveModif(nouveau);
          x.Nature = std::move(copie.Nature);
          x.DateEve = std::move(copie.DateEve);
          x.Heure = std::move(copie.Heure);
          x.Lieu = std::move(copie.Lieu);
          x.NoteEve = std::move(copie.NoteEve);
          x.Certitude = std::move(copie.Certitude);
          if (proprio.size() <= static_cast<size_t>(nouveau)) proprio.resize(nouveau + 1, 0);
        }
        continue;
      }
      if (m_eves[e].Utilise == 0) {
        rapport += nom + evenement + kQ + nature + kQ + revalide + kFinLigne;
        EveModif(e);
        m_eves.FixeUtilise(e, 1);
        Change();
        continue;
      }
      proprio[e] = moi;
      ++s;
    }
  };

  // Links to records that do not exist: a person out of the table or freed,
  // a source out of the table or freed. They read as no link everywhere, and
  // an export would point at records it does not write.
  auto personneAbsente = [this](int p) { return p != 0 && !FicheUtilisee(p); };
  auto lienCasse = [&](const std::string& nom, const char* lien, int p) {
    rapport += nom + " : le lien vers "_ansi + lien + " (n° "_ansi + std::to_string(p) +
               ") ne désigne aucune personne et a été supprimé."_ansi + kFinLigne;
  };
  for (int r = 1; r <= NbreFiche(); ++r) {
    if (m_fiches[r].Utilise == 0) continue;
    if (personneAbsente(m_fiches[r].NumP)) {
      lienCasse(NomCourt(r), "le père"_ansi, m_fiches[r].NumP);
      FixePere(r, 0);
    }
    if (personneAbsente(m_fiches[r].NumM)) {
      lienCasse(NomCourt(r), "la mère"_ansi, m_fiches[r].NumM);
      FixeMere(r, 0);
    }
    Texte& sources = m_fiches[r].TabSrc;
    for (int k = 1; k <= NbreEntrees(sources);) {
      const int src = LitEntree(sources, k);
      if (SrcUtilisee(src)) {
        ++k;
        continue;
      }
      rapport += NomCourt(r) + " : la source n° "_ansi + std::to_string(src) +
                 " n'existe pas et a été retirée de ses sources."_ansi + kFinLigne;
      FicheModif(r);
      RetireEntree(sources, k);
      Change();
    }
  }
  for (int r = 1; r <= NbreUnion(); ++r) {
    if (m_unions[r].Utilise == 0) continue;
    const std::string nom = "Union de " + nomUnion(r);
    if (personneAbsente(m_unions[r].NumH)) {
      lienCasse(nom, "le mari", m_unions[r].NumH);
      FixeMari(r, 0);
    }
    if (personneAbsente(m_unions[r].NumF)) {
      lienCasse(nom, "la femme", m_unions[r].NumF);
      FixeFemme(r, 0);
    }
  }

  for (int r = 1; r <= NbreFiche(); ++r) {
    if (m_fiches[r].Utilise == 0) continue;
    parcourt(m_fiches[r].TabEve, r, NomCourt(r), false);
  }
  for (int r = 1; r <= NbreUnion(); ++r) {
    if (m_unions[r].Utilise == 0) continue;
    parcourt(m_unions[r].TabEve, -r, "Union de " + nomUnion(r), true);
  }
  // A list as long as a tree file holds may have lost its end when the tree
  // was saved: the events it lost are then listed by nobody. They go back to
  // that owner when there is only one such list, and are kept otherwise.
  std::vector<int> pleins;  // signed owner numbers, as in proprio
  for (int r = 1; r <= NbreFiche() && pleins.size() < 2; ++r)
    if (m_fiches[r].Utilise != 0 && NbreEntrees(m_fiches[r].TabEve) == kEntreesMaxListe) pleins.push_back(r);
  for (int r = 1; r <= NbreUnion() && pleins.size() < 2; ++r)
    if (m_unions[r].Utilise != 0 && NbreEntrees(m_unions[r].TabEve) == kEntreesMaxListe) pleins.push_back(-r);
  for (int e = 1; e <= NbreEve(); ++e) {
    if (m_eves[e].Utilise == 0) continue;
    if (static_cast<size_t>(e) < proprio.size() && proprio[e] != 0) continue;
    const std::string quoi = orphelinDebut + m_eves[e].Nature + " " + m_eves[e].DateEve;
    if (pleins.size() == 1) {
      const int p = pleins[0];
      AjouteEntree(p > 0 ? FicheModif(p).TabEve : UnionModif(-p).TabEve, e);
      Change();
      rapport += quoi + " n'était lié à personne : il revient à "_ansi + kQ +
                 (p > 0 ? NomCourt(p) : "Union de " + nomUnion(-p)) + kQ +
                 ", dont la liste d'événements a été coupée à l'enregistrement."_ansi + kFinLigne;
    } else if (!pleins.empty()) {
      rapport += quoi + " n'est lié à personne ; il est gardé, car des listes d'événements "
                        "ont pu être coupées à l'enregistrement."_ansi + kFinLigne;
    } else {
      rapport += quoi + orphelin + kFinLigne;
      EffaceEve(e);
    }
  }

  ModeAjout = 0;
  if (rapport.empty()) return kAucunProblemeConstate;
  BaseModifiee = 1;
  return rapport;
}

}  // namespace kindrela

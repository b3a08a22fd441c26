// The database check: repairs which record owns which event.
#include "core/database.h"

#include "core/text.h"

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
  auto parcourt = [&](std::string& tab, int moi, const std::string& nom, bool estUnion) {
    int s = 1;
    while (s <= NbreEntrees(tab)) {
      int e = LitEntree(tab, s);
      if (!m_eves.Valide(e)) {
        // An entry outside the table has no kind to show.
        rapport += nom + evenement + kQ + kQ + horsLimite + kFinLigne;
        RetireEntree(tab, s);
        Change();
        continue;
      }
      const std::string nature = m_eves[e].Nature;
      if (proprio[e] != 0) {
        int autre = proprio[e];
        rapport += nom + evenement + kQ + nature + kQ +
                   (estUnion && autre < 0 ? lienCroiseUnion : lienCroise) + kQ +
                   nomProprio(autre) + kQ + double_ + kFinLigne;
        RetireEntree(tab, s);
        Change();
        TEve copie = m_eves[e];
        int nouveau = AjouteEve(tab);
        if (nouveau != 0) {
          TEve& x = m_eves[nouveau];
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
        m_eves.FixeUtilise(e, 1);
        Change();
        continue;
      }
      proprio[e] = moi;
      ++s;
    }
  };

  for (int r = 1; r <= NbreFiche(); ++r) {
    if (m_fiches[r].Utilise == 0) continue;
    parcourt(m_fiches[r].TabEve, r, NomCourt(r), false);
  }
  for (int r = 1; r <= NbreUnion(); ++r) {
    if (m_unions[r].Utilise == 0) continue;
    parcourt(m_unions[r].TabEve, -r, "Union de " + nomUnion(r), true);
  }
  for (int e = 1; e <= NbreEve(); ++e) {
    if (m_eves[e].Utilise == 0) continue;
    if (static_cast<size_t>(e) < proprio.size() && proprio[e] != 0) continue;
    rapport += orphelinDebut + m_eves[e].Nature + " " + m_eves[e].DateEve + orphelin + kFinLigne;
    EffaceEve(e);
  }

  ModeAjout = 0;
  if (rapport.empty()) return kAucunProblemeConstate;
  BaseModifiee = 1;
  return rapport;
}

}  // namespace kindrela

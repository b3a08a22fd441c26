// The main window's searching: "Rechercher une fiche" (103), "Remplacer des
// fiches" (107), "Choisir la personne centrale" (202), the record window's
// "Rechercher dans la liste..." with its links, and the assisted-entry list
// the record window's edits drop.
#include "core/database.h"
#include "editing/adding.h"
#include "editing/record.h"
#include "editing/search.h"
#include "gui/analysis/report_window.h"
#include "gui/common/message_box.h"
#include "gui/common/qt_text.h"
#include "gui/editing/assisted_entry_list.h"
#include "gui/editing/person_search.h"
#include "gui/editing/record_window.h"
#include "gui/editing/replace_window.h"
#include "gui/main/application.h"
#include "gui/main/main_window.h"

namespace kindrela {

bool TScaWin::CommandeRecherche(int numero) {
  if (!m_app.bd->BaseChargee) return false;
  switch (numero) {
    case kCmdRechercheFiche: {
      const int n = RecherchePersonne(ModeRecherche::Selection, 0);
      if (n > 0 && n != m_selecPers) SetSelecPers(n);
      return true;
    }
    case kCmdPersonneCentrale: ChoisitReference(); return true;
    case kCmdRemplace: Remplace(); return true;
    default: return false;
  }
}

TfmRechFiche& TScaWin::RechFiche() {
  if (!m_rechFiche) {
    TfmRechFiche::Navigation navigation;
    navigation.selection = [this] { return m_selecPers; };
    navigation.selectionne = [this](int n) { SetSelecPers(n); };
    navigation.onglet = [this] { return m_fiche->Onglet(); };
    navigation.montreOnglet = [this](int k) {
      if (FicheVisible()) m_fiche->MontreOnglet(k);
    };
    m_rechFiche = new TfmRechFiche(m_app, std::move(navigation), this);
  }
  return *m_rechFiche;
}

int TScaWin::RecherchePersonne(ModeRecherche mode, int a) {
  if (!m_app.bd->BaseChargee) return 0;
  if (FicheVisible()) m_fiche->Valide();
  const int trouve = RechFiche().Recherche(mode, a, m_selecPers);
  if (trouve == 0 || mode == ModeRecherche::Selection) return trouve;
  const TReglages& r = m_app.reglages;
  ContexteAjout ctx{*m_app.bd, m_app.traduction,
                    OptionsAjout{r.Bool(kSectionOptions, "AjouteEve"), r.Entier(kSectionOptions, "Generation"),
                                 r.Bool(kSectionOptions, "LienAuto")},
                    [this](const std::string& question) {
                      return BoiteMessage(VersQString(question), kQuestion, kBoutonOui | kBoutonNon,
                                          ParentDialogues()) == kResultatOui;
                    }};
  LieCandidat(ctx, mode, a, trouve);
  Affiche();
  MetAJourBarreEtat();
  return trouve;
}

int TScaWin::RechercheDepuisFiche(ControleFiche controle, int p) {
  switch (controle) {
    case ControleFiche::Nom:
    case ControleFiche::Prenoms: return RecherchePersonne(ModeRecherche::Selection, 0);
    case ControleFiche::Pere: return RecherchePersonne(ModeRecherche::Pere, p);
    case ControleFiche::Mere: return RecherchePersonne(ModeRecherche::Mere, p);
    case ControleFiche::Enfant: return RecherchePersonne(ModeRecherche::Enfant, p);
    case ControleFiche::Fratrie: return RecherchePersonne(ModeRecherche::Fratrie, p);
    case ControleFiche::Union: return RecherchePersonne(ModeRecherche::Conjoint, p);
  }
  return 0;
}

void TScaWin::ChoisitReference() {
  const int n = RecherchePersonne(ModeRecherche::Selection, 0);
  // The reference changes, renumbering when asked; the selection stays.
  if (n > 0) ReferenceDepuisFiche(n);
}

TfmListe& TScaWin::SaisieAssistee() {
  if (!m_saisie) m_saisie = new TfmListe(m_app, [this] { return m_selecPers; }, this);
  return *m_saisie;
}

void TScaWin::Remplace() {
  if (!m_remp) {
    TfmRemp::Actions actions;
    actions.montreListe = [this](const ListageRemp& l) {
      TfmRapport& rapport = Rapport();
      if (rapport.Occupe()) return false;
      if (!RapportVisible()) MontreRapport(true);
      std::vector<std::vector<std::string>> lignes;
      lignes.reserve(l.lignes.size());
      for (const ListageRemp::Ligne& x : l.lignes) lignes.push_back({x.valeur, std::to_string(x.utilisations)});
      const bool fait = rapport.CopieTableau(
          l.legende, {{l.colonne, 200, l.date ? TriColonne::Date : TriColonne::Texte}, {"Utilisation", 50, TriColonne::Nombre}},
          lignes);
      return fait;
    };
    actions.apres = [this] {
      RafraichitFiches();
      Affiche();
      MetAJourBarreEtat();
    };
    m_remp = new TfmRemp(m_app, std::move(actions), this);
  }
  m_remp->Montre();
}

}  // namespace kindrela

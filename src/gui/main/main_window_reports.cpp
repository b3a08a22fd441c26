// The main window's side of the report and statistics panes: their top
// buttons, the F7 shortcut, the commands of their menu sections and the
// report's export chooser.
#include <QButtonGroup>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QScreen>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/ansi_literal.h"
#include "gui/analysis/report_options.h"
#include "gui/analysis/report_window.h"
#include "gui/analysis/stat_window.h"
#include "gui/chart/chart_view.h"
#include "gui/common/qt_text.h"
#include "gui/main/application.h"
#include "gui/main/command_menu.h"
#include "gui/main/main_window.h"

namespace kindrela {

namespace {
constexpr int kBoutonRapport = 5;
TRect Ecran() {
  QScreen* ecran = QGuiApplication::primaryScreen();
  QRect z = ecran ? ecran->availableGeometry() : QRect(0, 0, 1024, 768);
  return TRect{z.left(), z.top(), z.width(), z.height()};
}
constexpr int kBoutonStat = 6;
}  // namespace

void TScaWin::ConstruitRapports() {
  m_rapport = new TfmRapport(m_app, this);
  m_critere = new TfmRapportCritere(
      m_app, *m_rapport, [this] { return m_selecPers; },
      [this] { return ArbreVisible() ? m_aff->ListeEcran() : TR(1); }, this);
  m_stat = new TfmStat(m_app, *m_rapport, this);
  connect(m_rapport, &TfmRapport::PersonneChoisie, this, [this](int p) {
    SetSelecPers(p);
    if (!FicheVisible()) ShowFiche();
  });
  connect(m_rapport, &TfmRapport::Cache, this, [this] { MontreRapport(false); });
  connect(m_stat, &TfmStat::Cache, this, [this] { MontreStat(false); });
}

TfmRapport& TScaWin::Rapport() { return *m_rapport; }
bool TScaWin::RapportVisible() const { return m_rapport->isVisible(); }

void TScaWin::PlaceFenetre(QWidget* w, const char* prefixe) {
  const TRect sauve = m_app.reglages.RectFenetre(prefixe);
  if (sauve.left == 0 && sauve.top == 0 && sauve.width == 0 && sauve.height == 0) {
    // Never placed: the report on the right of the main window, the options
    // and the statistics on its left, so that they do not hide each other.
    const QRect g = geometry();
    const bool droite = std::string_view(prefixe) == "Rapport";
    const int x = droite ? g.right() - w->frameGeometry().width() - 8 : g.left() + 200;
    const int y = g.top() + (std::string_view(prefixe) == "Stat" ? g.height() - w->frameGeometry().height() - 30 : 120);
    w->move(std::max(x, g.left()), std::max(y, g.top()));
    return;
  }
  const TRect r = PositionFenetre(m_app.reglages, prefixe, TTaille{w->width(), w->height()}, Ecran());
  w->move(r.left, r.top);
  if (r.width > 0 && r.height > 0) w->resize(r.width, r.height);
}

void TScaWin::MontreRapport(bool visible) {
  QToolButton* b = m_boutonsHaut[kBoutonRapport - 1];
  b->setChecked(visible);
  m_menu->MontreSection("Rapport", visible);
  if (visible == m_rapport->isVisible()) return;
  if (visible) {
    // An empty grid starts from the default column model and row formatting.
    if (m_app.rapport.grille.NbreColonnes() == 0) {
      m_rapport->ChargeModele({});
      m_rapport->SetMiseEnForme(1);
    }
    if (m_premierRapport) PlaceFenetre(m_rapport, "Rapport");
    m_premierRapport = false;
    m_rapport->SetSelecPers(m_selecPers);
    m_rapport->show();
  } else {
    m_rapport->hide();
    m_critere->hide();
  }
}

void TScaWin::MontreStat(bool visible) {
  QToolButton* b = m_boutonsHaut[kBoutonStat - 1];
  b->setChecked(visible);
  m_menu->MontreSection("Statistique", visible);
  if (visible == m_stat->isVisible()) return;
  if (visible) {
    if (m_premiereStat) PlaceFenetre(m_stat, "Stat");
    m_premiereStat = false;
    m_stat->show();
  } else {
    m_stat->hide();
  }
}

void TScaWin::MontreCritere(int panneau) {
  if (!m_rapport->isVisible()) MontreRapport(true);
  if (m_premierCritere) PlaceFenetre(m_critere, "RapportCritere");
  m_premierCritere = false;
  const auto p = static_cast<TfmRapportCritere::Panneau>(panneau);
  // The command of the panel shown hides it again.
  if (m_critere->isVisible() && m_critere->PanneauCourant() == p) m_critere->hide();
  else m_critere->MontrePanneau(p);
}

void TScaWin::ExporteRapport() {
  QDialog choix(this);
  choix.setObjectName("fmChoixExport");
  choix.setWindowTitle(VersQString("Exporter le rapport"));
  auto* l = new QVBoxLayout(&choix);
  auto* groupe = new QButtonGroup(&choix);
  const char* entrees[] = {"Afficher le rapport avec le navigateur Web",
                           "Afficher le rapport avec le tableur",
                           "Enregistrer le rapport sous forme de texte"};
  for (int i = 0; i < 3; ++i) {
    auto* r = new QRadioButton(VersQString(entrees[i]), &choix);
    r->setObjectName(QString("rbExport%1").arg(i + 1));
    r->setChecked(i == 0);
    groupe->addButton(r, i + 1);
    l->addWidget(r);
  }
  auto* b = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &choix);
  connect(b, &QDialogButtonBox::accepted, &choix, &QDialog::accept);
  connect(b, &QDialogButtonBox::rejected, &choix, &QDialog::reject);
  l->addWidget(b);
  if (choix.exec() != QDialog::Accepted) return;
  switch (groupe->checkedId()) {
    case 1: m_rapport->ExporteNavigateur(); break;
    case 2: m_rapport->ExporteTableur(); break;
    case 3: m_rapport->ExporteTexte(); break;
    default: break;
  }
}

bool TScaWin::CommandeRapport(int numero) {
  switch (numero) {
    case kCmdCritereRapport: MontreCritere(TfmRapportCritere::kCritere); return true;
    case kCmdRapportPredefini: MontreCritere(TfmRapportCritere::kPredefinis); return true;
    case kCmdColonnesRapport: MontreCritere(TfmRapportCritere::kColonnes); return true;
    case kCmdRechercheAvancee: MontreCritere(TfmRapportCritere::kAvance); return true;
    case kCmdRapportWeb: MontreCritere(TfmRapportCritere::kWeb); return true;
    case kCmdExporteRapport: ExporteRapport(); return true;
    case kCmdStatRapport:
      m_stat->VersRapport();
      MontreRapport(true);
      return true;
    case kCmdExporteStat: m_stat->Exporte(); return true;
    case kCmdImprimeGraphique: m_stat->Imprime(); return true;
    case kCmdPdfGraphique: m_stat->ExportePdf(); return true;
    default: return false;
  }
}

void TScaWin::SelectionRapports(int n) {
  if (m_rapport->isVisible()) m_rapport->SetSelecPers(n);
  if (m_critere->isVisible()) m_critere->SetSelecPers(n);
}

void TScaWin::VideRapports() {
  MontreRapport(false);
  MontreStat(false);
  m_app.rapport.Vide();
  m_rapport->Rafraichit();
  m_rapport->setWindowTitle(VersQString(m_app.traduction.Msg(510)));
}

void TScaWin::EnableRapports(bool ouvert) {
  m_boutonsHaut[kBoutonRapport - 1]->setEnabled(ouvert);
  m_boutonsHaut[kBoutonStat - 1]->setEnabled(ouvert);
  m_menu->MontreSection("Rapport", ouvert && m_rapport->isVisible());
  m_menu->MontreSection("Statistique", ouvert && m_stat->isVisible());
}

void TScaWin::SauveFenetresRapports() {
  auto garde = [this](QWidget* w, const char* prefixe, bool taille) {
    if (w->isVisible() || !m_premierAffichage) {
      const QRect g = w->geometry();
      m_app.reglages.SetRectFenetre(prefixe, TRect{g.left(), g.top(), taille ? g.width() : 0, taille ? g.height() : 0});
    }
  };
  if (!m_premierRapport) garde(m_rapport, "Rapport", true);
  if (!m_premiereStat) garde(m_stat, "Stat", true);
  if (!m_premierCritere) garde(m_critere, "RapportCritere", false);
}

}  // namespace kindrela

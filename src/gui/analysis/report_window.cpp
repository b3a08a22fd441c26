#include "gui/analysis/report_window.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QHeaderView>
#include <QHideEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QProgressBar>
#include <QScrollBar>
#include <QStackedLayout>
#include <QTableView>
#include <QUrl>
#include <QVBoxLayout>
#include <map>

#include "analysis/report_html.h"
#include "app/web_export.h"
#include "core/ansi_literal.h"
#include "core/file_io.h"
#include "core/letters.h"
#include "core/ini_file.h"
#include "core/text.h"
#include "gui/common/message_box.h"
#include "gui/common/qt_text.h"
#include "gui/i18n/translate_window.h"
#include "gui/files/progress_dialog.h"
#include "gui/main/application.h"

namespace kindrela {

// The shared grid as a table model: cells, titles with the sort arrow, and
// the row colours of the style sheet.
class TModeleGrilleRapport : public QAbstractTableModel {
 public:
  TModeleGrilleRapport(TApplication& app, QObject* parent) : QAbstractTableModel(parent), m_app(app) {}

  void Recharge(int miseEnForme) {
    beginResetModel();
    m_miseEnForme = miseEnForme;
    m_couleurs.clear();
    endResetModel();
  }
  int rowCount(const QModelIndex& parent) const override {
    return parent.isValid() ? 0 : Grille().NbreLignes();
  }
  int columnCount(const QModelIndex& parent) const override {
    return parent.isValid() ? 0 : Grille().NbreColonnes();
  }
  QVariant data(const QModelIndex& index, int role) const override {
    if (!index.isValid()) return {};
    const TGrilleRapport& g = Grille();
    if (role == Qt::DisplayRole) return VersQString(g.Cellule(index.row(), index.column()));
    if (role == Qt::BackgroundRole) {
      const int p = g.Personne(index.row());
      const int sexe = p > 0 ? m_app.bd->LitSexe(p) : 2;
      QColor c = Couleur(RegleLigne(index.row() + 1, m_miseEnForme, sexe));
      if (c.isValid()) return c;
    }
    return {};
  }
  QVariant headerData(int section, Qt::Orientation o, int role) const override {
    if (o != Qt::Horizontal || section < 0 || section >= Grille().NbreColonnes()) return {};
    if (role == Qt::DisplayRole) return VersQString(Grille().Colonnes()[static_cast<size_t>(section)].titre);
    if (role == Qt::BackgroundRole) {
      QColor c = Couleur("table thead td");
      if (c.isValid()) return c;
    }
    return {};
  }
  // The background of a style rule, cached.
  QColor Couleur(const std::string& regle) const {
    auto it = m_couleurs.find(regle);
    if (it != m_couleurs.end()) return it->second;
    int r = 0, g = 0, b = 0;
    QColor c;
    if (LitCouleurCss(ProprieteCss(m_app.styleCss, regle, "background-color"), r, g, b)) c = QColor(r, g, b);
    m_couleurs[regle] = c;
    return c;
  }

 private:
  const TGrilleRapport& Grille() const { return m_app.rapport.grille; }
  TApplication& m_app;
  int m_miseEnForme = 1;
  mutable std::map<std::string, QColor> m_couleurs;
};

TfmRapport::TfmRapport(TApplication& app, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint), m_app(app) {
  setObjectName("fmRapport");
  // The main window's keyboard shortcuts act here too (F7 closes the report).
  setProperty("raccourcisPrincipaux", true);
  m_ouvreur = [](const QString& chemin) { return QDesktopServices::openUrl(QUrl::fromLocalFile(chemin)); };
  setWindowTitle(VersQString(app.traduction.Msg(510)));
  auto* racine = new QVBoxLayout(this);
  racine->setContentsMargins(0, 0, 0, 0);
  m_pile = new QStackedLayout;
  m_vide = new QLabel(VersQString("Liste de personne vide.\nCliquez sur un bouton de la page \"Rapport\" \npour en créer un."_ansi), this);
  m_vide->setObjectName("lVide");
  m_vide->setAlignment(Qt::AlignCenter);
  m_grille = new QTableView(this);
  m_grille->setObjectName("sgRapport");
  m_modeleVue = new TModeleGrilleRapport(app, this);
  m_grille->setModel(m_modeleVue);
  m_grille->verticalHeader()->hide();
  m_grille->verticalHeader()->setDefaultSectionSize(m_grille->fontMetrics().height() + 4);
  m_grille->setSelectionBehavior(QAbstractItemView::SelectRows);
  m_grille->setSelectionMode(QAbstractItemView::SingleSelection);
  m_grille->setEditTriggers(QAbstractItemView::NoEditTriggers);
  m_grille->horizontalHeader()->setSectionsClickable(true);
  m_grille->horizontalHeader()->setSortIndicatorShown(false);
  m_grille->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  m_grille->viewport()->setMouseTracking(true);
  m_grille->viewport()->installEventFilter(this);
  connect(m_grille->horizontalHeader(), &QHeaderView::sectionClicked, this, &TfmRapport::TrieColonne);
  connect(m_grille, &QTableView::clicked, this, [this](const QModelIndex& i) {
    const int p = m_app.rapport.grille.Personne(i.row());
    if (p > 0) emit PersonneChoisie(p);
  });
  m_pile->addWidget(m_vide);
  m_pile->addWidget(m_grille);
  racine->addLayout(m_pile, 1);
  m_barre = new QProgressBar(this);
  m_barre->setObjectName("PB");
  m_barre->setTextVisible(false);
  m_barre->setMaximumHeight(6);
  m_barre->hide();
  racine->addWidget(m_barre);
  resize(656, 400);
  MetAJourVue();
  TraduitFenetre(this, app.traduction);
}

TfmRapport::~TfmRapport() = default;

void TfmRapport::SetSelecPers(int n) {
  m_selecPers = n;
  if (!Occupe()) SelectionneLigne();
}

bool TfmRapport::ChargeModele(const std::string& nom) {
  const std::string n = nom.empty() ? m_app.traduction.Msg(2206) : nom;
  FichierIni ini(FichierUtilisateurOuInstalle(m_app.dossiers.rapportUtilisateur, m_app.dossiers.rapport, n + ".kdr"));
  m_nomModele = n;
  m_modele = TModeleColonnes{};
  if (!ini.FichierLu()) return false;
  LitModeleColonnes(ini, m_modele, m_app.traduction.Msg(2005));
  return true;
}

void TfmRapport::SetMiseEnForme(int v) {
  m_miseEnForme = std::clamp(v, 0, 2);
  m_modeleVue->Recharge(m_miseEnForme);
}

bool TfmRapport::Occupe() const { return m_app.rapport.occupe; }

void TfmRapport::Legende(const std::string& texte) {
  m_app.rapport.legende = texte;
  setWindowTitle(VersQString(texte));
}

void TfmRapport::InitRapport() {
  Legende(m_app.traduction.Msg(570));
  m_app.rapport.OublieListe();
  m_app.rapport.grille.OublieLesPersonnes();
  m_app.rapport.grille.OublieTri();
  QApplication::setOverrideCursor(Qt::WaitCursor);
}

void TfmRapport::FinRapport() {
  m_barre->hide();
  MetAJourVue();
  if (m_app.rapport.grille.NbreLignes() > 0)
    resize(m_app.rapport.grille.LargeurTotale() + 16 + m_grille->verticalScrollBar()->sizeHint().width(), height());
  QApplication::restoreOverrideCursor();
}

void TfmRapport::Rafraichit() { MetAJourVue(); }

void TfmRapport::MetAJourVue() {
  m_modeleVue->Recharge(m_miseEnForme);
  const TGrilleRapport& g = m_app.rapport.grille;
  for (int c = 0; c < g.NbreColonnes(); ++c) m_grille->setColumnWidth(c, g.Colonnes()[static_cast<size_t>(c)].largeur);
  QHeaderView* h = m_grille->horizontalHeader();
  if (g.ColonneTriee() >= 0) {
    h->setSortIndicatorShown(true);
    h->setSortIndicator(g.ColonneTriee(), g.TriCroissant() ? Qt::AscendingOrder : Qt::DescendingOrder);
  } else {
    h->setSortIndicatorShown(false);
  }
  m_pile->setCurrentWidget(g.NbreLignes() > 0 ? static_cast<QWidget*>(m_grille) : m_vide);
  SelectionneLigne();
}

void TfmRapport::SelectionneLigne() {
  const int l = m_app.rapport.grille.LigneDe(m_selecPers);
  if (m_app.rapport.grille.NbreLignes() == 0) return;
  const int ligne = std::max(l, 0);
  m_grille->selectRow(ligne);
  m_grille->scrollTo(m_modeleVue->index(ligne, 0));
}

bool TfmRapport::RemplitListe() {
  TRapportPartage& r = m_app.rapport;
  if (r.occupe || !r.Liste()) return false;
  if (m_nomModele.empty()) ChargeModele({});
  r.occupe = true;
  Legende(m_app.traduction.Msg(571));
  TProgression progression(this, windowTitle(), {}, TProgression::kDelaiParDefaut, &m_app.traduction);
  TContexteModele ctx{*m_app.bd, m_app.mots, m_app.ini.formatDate, &m_app.fetes, &m_app.traduction};
  const TR liste = *r.Liste();
  const bool annule =
      RemplitGrille(ctx, m_app.traduction, m_modele, liste, r.grille, progression.Rappel()).annule;
  progression.Termine();
  r.occupe = false;
  if (annule) {
    r.grille.DefinitColonnes(r.grille.Colonnes());
    Legende(m_app.traduction.Msg(510));
    MetAJourVue();
    return false;
  }
  Legende(LegendeListe(m_app.traduction, r.Titre(), liste.Count()));
  MetAJourVue();
  if (r.grille.LargeurTotale() < 640)
    resize(r.grille.LargeurTotale() + 16 + m_grille->verticalScrollBar()->sizeHint().width(), height());
  return true;
}

bool TfmRapport::MontreListe(TR liste, const std::string& titre) {
  if (Occupe()) return false;
  m_app.rapport.ChangeListe(std::move(liste), titre);
  show();
  return RemplitListe();
}

bool TfmRapport::LancePredefini(int numero, const TOptionsPredefini& options) {
  TRapportPartage& r = m_app.rapport;
  if (r.occupe) return false;
  r.occupe = true;
  InitRapport();
  show();
  TProgression progression(this, VersQString(kRapportsPredefinis[static_cast<size_t>(std::clamp(numero, 0, kNbrePredefinis - 1))]),
                           {}, TProgression::kDelaiParDefaut, &m_app.traduction);
  TContexteModele ctx{*m_app.bd, m_app.mots, m_app.ini.formatDate, &m_app.fetes, &m_app.traduction};
  TResultatPredefini res = RapportPredefini(ctx, m_app.traduction, numero, options, r.grille, progression.Rappel());
  progression.Termine();
  r.occupe = false;
  if (res.avecListe) r.ChangeListe(std::move(res.liste), res.legende);
  Legende(res.annule ? m_app.traduction.Msg(510) : res.legende);
  FinRapport();
  return !res.annule;
}

void TfmRapport::CopieStatistique(const std::string& titre, const std::vector<std::string>& valX,
                                  const std::vector<long long>& valY) {
  TRapportPartage& r = m_app.rapport;
  if (r.occupe) return;
  r.OublieListe();
  r.grille.DefinitColonnes({{m_app.traduction.Msg(859), 200, TriColonne::Texte},
                            {m_app.traduction.Msg(860), 80, TriColonne::Nombre}});
  for (size_t i = 0; i < valX.size() && i < valY.size(); ++i) r.grille.AjouteLigne({valX[i], std::to_string(valY[i])});
  Legende(titre);
  show();
  FinRapport();
}

bool TfmRapport::CopieTableau(const std::string& titre, std::vector<TColonneRapport> colonnes,
                              const std::vector<std::vector<std::string>>& lignes) {
  TRapportPartage& r = m_app.rapport;
  if (r.occupe) return false;
  r.OublieListe();
  r.grille.OublieTri();
  r.grille.DefinitColonnes(std::move(colonnes));
  r.grille.ReserveLignes(static_cast<int>(lignes.size()));
  for (const auto& l : lignes) r.grille.AjouteLigne(l);
  Legende(titre);
  show();
  FinRapport();
  return true;
}

void TfmRapport::TrieColonne(int colonne) {
  TRapportPartage& r = m_app.rapport;
  if (r.occupe) return;
  const std::string legende = r.legende;
  setWindowTitle(VersQString(m_app.traduction.Msg(588)));
  QApplication::setOverrideCursor(Qt::WaitCursor);
  r.grille.TrieClic(colonne, m_app.ini.formatDate);
  QApplication::restoreOverrideCursor();
  setWindowTitle(VersQString(legende));
  MetAJourVue();
}

bool TfmRapport::OuvreFichier(const std::string& chemin) {
  if (m_ouvreur && m_ouvreur(VersQString(chemin))) return true;
  BoiteMessage(VersQString(FormateMsg(m_app.traduction.MsgCle("rapport_sans_programme"),
                                      {ExtensionDe(chemin), chemin})),
               kInformation, 0, this);
  return false;
}

void TfmRapport::ExporteTexte() {
  // Message 530: "description|pattern|" three times.
  const std::vector<std::string> parts = Decoupe(m_app.traduction.Msg(530), '|');
  QStringList filtres;
  for (size_t i = 0; i + 1 < parts.size(); i += 2) filtres << VersQString(parts[i]);
  QString choisi;
  QString nom = QFileDialog::getSaveFileName(this, windowTitle(),
                                             VersQString(m_app.dossiers.documents), filtres.join(";;"), &choisi);
  if (nom.isEmpty()) return;
  const int filtre = static_cast<int>(filtres.indexOf(choisi)) + 1;
  std::string chemin = DepuisQString(nom);
  // A name the dialog already ended with ".txt" keeps one.
  if (!EgalSansCasse(ExtensionDe(chemin), ".txt")) chemin = NomExportTexte(chemin);
  if (Statut s = EnregistreTexte(m_app.rapport.grille, chemin, SeparateurFiltre(filtre)); !s.ok()) {
    BoiteMessage(VersQString(FormateMsg(m_app.traduction.MsgCle("rapport_ecriture"), {s.message()})), kErreur, 0, this);
    return;
  }
  BoiteMessage(VersQString(m_app.traduction.Msg(531)), kInformation, 0, this);
}

void TfmRapport::ExporteNavigateur() {
  std::unique_ptr<TVuesWeb> vues;
  if (Statut s = OuvreVuesWeb(*m_app.bd, m_app.traduction, m_app.reglages, m_app.ini.formatDate, m_app.dossiers,
                              m_app.fichierCourant, vues);
      !s) {
    BoiteMessage(VersQString(FormateMsg(m_app.traduction.MsgCle("modeles_web_absents"), {s.message()})), kErreur, 0,
                 this);
    return;
  }
  QDir().mkpath(VersQString(m_app.dossiers.exportHtml));
  const std::string chemin = ProchainFichierRapport(m_app.dossiers.exportHtml);
  const std::string page = vues->PageGrilleRapport(m_app.rapport.legende, m_app.rapport.grille, m_miseEnForme);
  if (Statut s = vues->Ecrit(chemin, page); !s.ok()) {
    BoiteMessage(VersQString(FormateMsg(m_app.traduction.MsgCle("rapport_ecriture"), {s.message()})), kErreur, 0, this);
    return;
  }
  OuvreFichier(chemin);
}

void TfmRapport::ExporteTableur() {
  QDir().mkpath(VersQString(m_app.dossiers.exportHtml));
  const std::string chemin = ProchainFichierRapport(m_app.dossiers.exportHtml, ".csv");
  if (Statut s = EcritFichierAtomique(chemin, FichierTexteExporte(m_app.rapport.grille.TexteCsv())); !s.ok()) {
    BoiteMessage(VersQString(FormateMsg(m_app.traduction.MsgCle("rapport_ecriture"), {s.message()})), kErreur, 0, this);
    return;
  }
  OuvreFichier(chemin);
}

void TfmRapport::hideEvent(QHideEvent* event) {
  QWidget::hideEvent(event);
  if (!event->spontaneous()) emit Cache();
}

bool TfmRapport::eventFilter(QObject* objet, QEvent* event) {
  // A hand over the rows that lead to a person.
  if (objet == m_grille->viewport() && event->type() == QEvent::MouseMove) {
    const QPoint pos = static_cast<QMouseEvent*>(event)->position().toPoint();
    const QModelIndex i = m_grille->indexAt(pos);
    const bool main = i.isValid() && m_app.rapport.grille.Personne(i.row()) > 0;
    m_grille->viewport()->setCursor(main ? Qt::PointingHandCursor : Qt::ArrowCursor);
  }
  return QWidget::eventFilter(objet, event);
}

}  // namespace kindrela

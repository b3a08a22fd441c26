#include "gui/analysis/stat_window.h"

#include <QComboBox>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QTextEdit>
#include <QUrl>
#include <QVBoxLayout>

#include "analysis/report_grid.h"
#include "analysis/report_html.h"
#include "app/settings.h"
#include "app/web_export.h"
#include "core/ansi_literal.h"
#include "core/file_io.h"
#include "gui/analysis/bar_graph_widget.h"
#include "gui/analysis/report_window.h"
#include "gui/chart/chart_print.h"
#include "gui/common/message_box.h"
#include "gui/common/qt_text.h"
#include "gui/files/progress_dialog.h"
#include "gui/i18n/translate_window.h"
#include "gui/main/application.h"

namespace kindrela {

namespace {
QString Q(std::string_view s) { return VersQString(s); }
}  // namespace

TfmStatDate::TfmStatDate(QWidget* parent) : QDialog(parent) {
  setObjectName("fmStatDate");
  setWindowTitle(Q("Période sur laquelle doivent se faire les recherches"_ansi));
  auto* f = new QFormLayout(this);
  seDebut = new QSpinBox(this);
  seDebut->setObjectName("seDebut");
  seFin = new QSpinBox(this);
  seFin->setObjectName("seFin");
  seDebut->setRange(0, 3000);
  seFin->setRange(0, 3000);
  // The end never goes below the start.
  connect(seDebut, &QSpinBox::valueChanged, this, [this](int v) { seFin->setMinimum(v); });
  f->addRow(Q("Nés entre"_ansi), seDebut);
  f->addRow(Q("et"), seFin);
  auto* b = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(b, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(b, &QDialogButtonBox::rejected, this, &QDialog::reject);
  f->addRow(b);
}

void TfmStatDate::SetAnnees(int debut, int fin) {
  seDebut->setValue(debut);
  seFin->setMinimum(seDebut->value());
  seFin->setValue(fin);
}
int TfmStatDate::Debut() const { return seDebut->value(); }
int TfmStatDate::Fin() const { return seFin->value(); }

TfmStat::TfmStat(TApplication& app, TfmRapport& rapport, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint), m_app(app), m_rapport(rapport) {
  setObjectName("fmStat");
  // The main window's keyboard shortcuts act here too (F7 closes the report).
  setProperty("raccourcisPrincipaux", true);
  setWindowTitle(Q("Statistiques"));
  const TReglages& r = app.reglages;
  m_debut = r.Entier(kSectionStat, "DateMin");
  m_fin = r.Entier(kSectionStat, "DateMax");
  m_ages = {r.Entier(kSectionStat, "AgeMin"), r.Entier(kSectionStat, "AgeMax"), r.Entier(kSectionStat, "AgePas")};
  m_annees = {r.Entier(kSectionStat, "AnneeMin"), r.Entier(kSectionStat, "AnneeMax"),
              r.Entier(kSectionStat, "AnneePas")};

  auto* racine = new QVBoxLayout(this);
  auto* haut = new QHBoxLayout;
  cbVoir = new QComboBox(this);
  cbVoir->setObjectName("cbVoir");
  for (std::string_view s : kStatistiques) cbVoir->addItem(Q(s));
  cbPour = new QComboBox(this);
  cbPour->setObjectName("cbPour");
  cbPour->addItems({Q("Toutes les personnes"), Q("Né entre date"_ansi), Q("Selon rapport")});
  haut->addWidget(cbVoir, 2);
  haut->addWidget(new QLabel(Q("Source"), this));
  haut->addWidget(cbPour, 1);
  racine->addLayout(haut);
  auto* fenetre = new QHBoxLayout;
  pMinMax = new QWidget(this);
  pMinMax->setObjectName("pMinMax");
  auto* lm = new QHBoxLayout(pMinMax);
  lm->setContentsMargins(0, 0, 0, 0);
  eMin = new QLineEdit(pMinMax);
  eMin->setObjectName("eMin");
  eMax = new QLineEdit(pMinMax);
  eMax->setObjectName("eMax");
  lm->addWidget(new QLabel(Q("De"), pMinMax));
  lm->addWidget(eMin);
  lm->addWidget(new QLabel(Q("à"_ansi), pMinMax));
  lm->addWidget(eMax);
  pPas = new QWidget(this);
  pPas->setObjectName("pPas");
  auto* lp = new QHBoxLayout(pPas);
  lp->setContentsMargins(0, 0, 0, 0);
  ePas = new QLineEdit(pPas);
  ePas->setObjectName("ePas");
  lp->addWidget(new QLabel(Q("Pas"), pPas));
  lp->addWidget(ePas);
  fenetre->addWidget(pMinMax);
  fenetre->addWidget(pPas);
  fenetre->addStretch();
  lVal = new QLabel(this);
  lVal->setObjectName("lVal");
  fenetre->addWidget(lVal);
  racine->addLayout(fenetre);
  m_graphe = new TwexaGraph(this);
  m_graphe->SetMargeX(42);
  m_graphe->SetMargeY(20);
  m_graphe->SetColLarge(75);
  m_graphe->setMinimumSize(300, 200);
  racine->addWidget(m_graphe, 3);
  M = new QTextEdit(this);
  M->setObjectName("M");
  M->setReadOnly(true);
  M->setMaximumHeight(90);
  racine->addWidget(M);
  PB = new QProgressBar(this);
  PB->setObjectName("PB");
  PB->setTextVisible(false);
  PB->setMaximumHeight(6);
  racine->addWidget(PB);
  auto* boutons = new QHBoxLayout;
  auto bouton = [&](const char* nom, const char* texte, auto action) {
    auto* b = new QPushButton(Q(texte), this);
    b->setObjectName(nom);
    connect(b, &QPushButton::clicked, this, action);
    boutons->addWidget(b);
  };
  bouton("bRapport", "Transformer en rapport", [this] { VersRapport(); });
  bouton("bExporte", "Exporter", [this] { Exporte(); });
  bouton("bImprime", "Imprimer", [this] { Imprime(); });
  bouton("bPdf", "PDF", [this] { ExportePdf(); });
  boutons->addStretch();
  racine->addLayout(boutons);
  resize(620, 460);

  // The separators cannot be chosen.
  if (auto* modele = qobject_cast<QStandardItemModel*>(cbVoir->model())) {
    for (int i = 0; i < kNbreEntreesStat; ++i)
      if (EstSeparateurStat(i)) modele->item(i)->setEnabled(false);
  }
  cbVoir->setCurrentIndex(m_entree);
  connect(cbVoir, &QComboBox::activated, this, [this](int i) { ChoisitStatistique(i); });
  connect(cbPour, &QComboBox::activated, this, [this](int i) { ChoisitPopulation(static_cast<Population>(i)); });
  for (QLineEdit* e : {eMin, eMax, ePas})
    connect(e, &QLineEdit::editingFinished, this, [this] { SaisitFenetre(eMin->text(), eMax->text(), ePas->text()); });
  connect(m_graphe, &TwexaGraph::OnMouseMove, this, [this](int col, long long v) {
    lVal->setText(col >= 0 ? Q(m_app.traduction.Msg(856) + " " + std::to_string(v)) : QString());
  });
  connect(m_graphe, &TwexaGraph::OnMouseColonneClick, this, [this](int col, long long) { ClicColonne(col); });
  m_dialogueDates = new TfmStatDate(this);
  TraduitFenetre(this, app.traduction);
}

void TfmStat::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  int r = 0, g = 0, b = 0;
  if (LitCouleurCss(ProprieteCss(m_app.styleCss, ".statgraph", "background-color"), r, g, b))
    m_graphe->SetColorBar(Rgb(r, g, b));
  // Each showing starts from the default windows.
  m_ages = kFenetreAgesDefaut;
  m_annees = kFenetreAnneesDefaut;
  m_colonne = -1;
  ConstruitPopulation();
  MontreFenetre();
  Calcule();
}

void TfmStat::hideEvent(QHideEvent* event) {
  QWidget::hideEvent(event);
  m_population = TR(1);
  m_resultat = TStatistique{};
  SauveReglages();
  if (!event->spontaneous()) emit Cache();
}

void TfmStat::SauveReglages() {
  TReglages& r = m_app.reglages;
  r.SetEntier(kSectionStat, "DateMin", m_debut);
  r.SetEntier(kSectionStat, "DateMax", m_fin);
  r.SetEntier(kSectionStat, "AgeMin", m_ages.min);
  r.SetEntier(kSectionStat, "AgeMax", m_ages.max);
  r.SetEntier(kSectionStat, "AgePas", m_ages.pas);
  r.SetEntier(kSectionStat, "AnneeMin", m_annees.min);
  r.SetEntier(kSectionStat, "AnneeMax", m_annees.max);
  r.SetEntier(kSectionStat, "AnneePas", m_annees.pas);
}

void TfmStat::SetAnnees(int debut, int fin) {
  m_debut = debut;
  m_fin = std::max(debut, fin);
}

void TfmStat::ConstruitPopulation() {
  const TBD& bd = *m_app.bd;
  m_charge = true;
  if (m_pop == kNesEntre) {
    m_population = PopulationNesEntre(bd, m_debut, m_fin);
    cbPour->setItemText(kNesEntre, Q(FormateMsg(m_app.traduction.Msg(857), {std::to_string(m_debut), std::to_string(m_fin)})));
  } else if (m_pop == kRapport) {
    if (m_app.rapport.grille.NbreLignes() < 1) {
      BoiteMessage(Q(m_app.traduction.Msg(701)), kInformation, 0, this);
      m_pop = kTous;
    } else {
      m_population = m_app.rapport.PersonnesDesLignes();
      cbPour->setItemText(kRapport, Q(FormateMsg(m_app.traduction.Msg(858),
                                                 {std::to_string(m_app.rapport.grille.NbreLignes())})));
    }
  }
  if (m_pop == kTous) m_population = AllPersons(bd);
  cbPour->setCurrentIndex(m_pop);
  m_charge = false;
}

void TfmStat::MontreFenetre() {
  const FenetreStat f = FenetreDe(m_entree);
  const TFenetre& w = f == FenetreStat::Ages ? m_ages : m_annees;
  pPas->setVisible(f != FenetreStat::Aucune);
  pMinMax->setVisible(f != FenetreStat::Aucune);
  eMin->setText(QString::number(w.min));
  eMax->setText(QString::number(w.max));
  ePas->setText(QString::number(w.pas));
}

void TfmStat::ChoisitStatistique(int entree) {
  m_entree = EntreeStatValide(entree);
  cbVoir->setCurrentIndex(m_entree);
  m_colonne = -1;
  MontreFenetre();
  Calcule();
}

void TfmStat::ChoisitPopulation(Population p, bool demande) {
  if (p == kNesEntre && demande) {
    m_dialogueDates->SetAnnees(m_debut, m_fin);
    if (m_dialogueDates->exec() != QDialog::Accepted) {
      cbPour->setCurrentIndex(m_pop);
      return;
    }
    SetAnnees(m_dialogueDates->Debut(), m_dialogueDates->Fin());
  }
  m_pop = p;
  m_colonne = -1;
  ConstruitPopulation();
  Calcule();
}

void TfmStat::SaisitFenetre(const QString& min, const QString& max, const QString& pas) {
  const FenetreStat f = FenetreDe(m_entree);
  const TFenetre w = CorrigeFenetre(DepuisQString(min), DepuisQString(max), DepuisQString(pas));
  if (f == FenetreStat::Ages) m_ages = w;
  else if (f == FenetreStat::Annees) m_annees = w;
  else return;
  MontreFenetre();
  m_colonne = -1;
  Calcule();
}

void TfmStat::Calcule() {
  TProgression progression(this, Q(kStatistiques[static_cast<size_t>(m_entree)]), {},
                           TProgression::kDelaiParDefaut, &m_app.traduction);
  Progression rappel = [&](long long fait, long long total) {
    PB->setMaximum(static_cast<int>(std::max<long long>(total, 1)));
    PB->setValue(static_cast<int>(fait));
    return progression.Avance(fait, total);
  };
  TStatistique s = CalculeStatistique(*m_app.bd, m_app.traduction, m_entree, m_population, m_ages, m_annees,
                                      m_colonne, rappel);
  progression.Termine();
  PB->setValue(0);
  if (s.annule) return;
  m_resultat = std::move(s);
  std::vector<std::string> valY;
  for (long long v : m_resultat.valY) valY.push_back(std::to_string(v));
  m_graphe->SetValX(m_resultat.valX);
  m_graphe->SetValY(std::move(valY));
  std::string texte;
  for (const std::string& l : m_resultat.commentaire) texte += (texte.empty() ? "" : "\n") + l;
  M->setPlainText(Q(texte));
}

void TfmStat::ClicColonne(int colonne) {
  if (colonne < 0 || colonne >= static_cast<int>(m_resultat.valX.size())) return;
  m_colonne = colonne;
  Calcule();
  const std::string legende = LegendeColonneStat(m_entree, m_resultat.valX[static_cast<size_t>(colonne)],
                                                 m_resultat.valY[static_cast<size_t>(colonne)]);
  TR collectes = m_resultat.collectes;
  m_colonne = -1;
  m_rapport.MontreListe(std::move(collectes), legende);
  m_rapport.setWindowTitle(Q(legende));
}

void TfmStat::VersRapport() {
  m_rapport.CopieStatistique(std::string(kStatistiques[static_cast<size_t>(m_entree)]), m_resultat.valX,
                             m_resultat.valY);
}

void TfmStat::PeintPage(QPainter& p, const QRect& page) {
  p.save();
  QFont f = p.font();
  f.setPointSize(14);
  f.setBold(true);
  p.setFont(f);
  const QString titre = Q(kStatistiques[static_cast<size_t>(m_entree)]) + " - " + cbPour->currentText();
  const int ht = p.fontMetrics().height();
  p.drawText(QRect(page.left(), page.top(), page.width(), ht), Qt::AlignLeft | Qt::AlignVCenter, titre);
  f.setPointSize(10);
  f.setBold(false);
  p.setFont(f);
  const int hl = p.fontMetrics().height();
  const int lignes = static_cast<int>(m_resultat.commentaire.size());
  const QRect zone(page.left(), page.top() + ht * 2, page.width(),
                   std::max(page.height() / 2, page.height() - ht * 2 - hl * (lignes + 1)));
  // The graph drawn at screen scale, then stretched to the page.
  const QSize taille(std::max(m_graphe->width(), 600), std::max(m_graphe->height(), 400));
  p.save();
  p.translate(zone.topLeft());
  p.scale(static_cast<double>(zone.width()) / taille.width(), static_cast<double>(zone.height()) / taille.height());
  PeintGraphe(p, m_graphe->Graphe(), QRect(QPoint(0, 0), taille));
  p.restore();
  int y = zone.bottom() + hl;
  for (const std::string& l : m_resultat.commentaire) {
    p.drawText(QRect(page.left(), y, page.width(), hl), Qt::AlignLeft | Qt::AlignVCenter, Q(l));
    y += hl;
  }
  p.restore();
}

void TfmStat::Imprime() {
  if (!ImprimanteDisponible()) {
    ExportePdf();
    return;
  }
  QPrinter imprimante(QPrinter::HighResolution);
  imprimante.setDocName(TitreApplication());
  QPrintDialog dialogue(&imprimante, this);
  if (dialogue.exec() != QDialog::Accepted) return;
  QPainter p;
  if (!p.begin(&imprimante)) return;
  PeintPage(p, imprimante.pageLayout().paintRectPixels(imprimante.resolution()).translated(
                   -imprimante.pageLayout().paintRectPixels(imprimante.resolution()).topLeft()));
  p.end();
}

void TfmStat::ExportePdf() {
  const QString nom = QFileDialog::getSaveFileName(this, windowTitle(), Q(m_app.dossiers.documents),
                                                   "PDF (*.pdf)");
  if (nom.isEmpty()) return;
  const QString chemin = nom.endsWith(".pdf", Qt::CaseInsensitive) ? nom : nom + ".pdf";
  if (!EcritPdf(chemin))
    BoiteMessage(Q(FormateMsg(m_app.traduction.MsgCle("rapport_ecriture"), {DepuisQString(chemin)})), kErreur, 0, this);
}

bool TfmStat::EcritPdf(const QString& chemin) {
  TMiseEnPage page = MiseEnPageDefaut();
  page.layout.setOrientation(QPageLayout::Landscape);
  QPdfWriter pdf(chemin);
  pdf.setPageLayout(page.layout);
  pdf.setResolution(page.resolution);
  pdf.setTitle(Q(kStatistiques[static_cast<size_t>(m_entree)]));
  QPainter p;
  if (!p.begin(&pdf)) return false;
  PeintPage(p, QRect(QPoint(0, 0), pdf.pageLayout().paintRectPixels(pdf.resolution()).size()));
  return p.end();
}

void TfmStat::Exporte() {
  const std::string dossier = m_app.dossiers.exportHtml;
  QDir().mkpath(Q(dossier));
  const std::string base = "stat" + std::to_string(QRandomGenerator::global()->bounded(1000));
  QImage image(720, 400, QImage::Format_RGB32);
  {
    QPainter p(&image);
    PeintGraphe(p, m_graphe->Graphe(), image.rect());
  }
  std::unique_ptr<TVuesWeb> vues;
  if (Statut s = OuvreVuesWeb(*m_app.bd, m_app.traduction, m_app.reglages, m_app.ini.formatDate, m_app.dossiers,
                              m_app.fichierCourant, vues);
      !s) {
    BoiteMessage(Q(FormateMsg(m_app.traduction.MsgCle("modeles_web_absents"), {s.message()})), kErreur, 0, this);
    return;
  }
  const std::string png = dossier + base + ".png";
  const std::string titre = std::string(kStatistiques[static_cast<size_t>(m_entree)]);
  const std::string page = PageStatistique(vues->Gabarit(), titre, DepuisQString(cbPour->currentText()),
                                           base + ".png", m_resultat.commentaire);
  const std::string htm = dossier + base + ".htm";
  if (!image.save(Q(png), "PNG") || !vues->Ecrit(htm, page).ok()) {
    BoiteMessage(Q(FormateMsg(m_app.traduction.MsgCle("rapport_ecriture"), {htm})), kErreur, 0, this);
    return;
  }
  // Opened as the report window opens its exports.
  const TfmRapport::Ouvreur& ouvre = m_rapport.OuvreurFichiers();
  if (!ouvre || !ouvre(Q(htm)))
    BoiteMessage(Q(FormateMsg(m_app.traduction.MsgCle("fichier_sans_programme"), {".htm", htm})), kInformation, 0,
                 this);
}

}  // namespace kindrela

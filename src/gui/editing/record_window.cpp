// The record window: its tabs, the key and focus handling shared by its
// edits, the display of a person and the identity tab.
#include "gui/editing/record_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QShowEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>
#include <QValidator>
#include <QVBoxLayout>

#include "analysis/consistency.h"
#include "chart/templates.h"
#include "core/ansi_literal.h"
#include "core/journal.h"
#include "core/text.h"
#include "dates/dates.h"
#include "editing/record_dates.h"
#include "editing/record_names.h"
#include "gui/analysis/map_window.h"
#include "gui/analysis/options_window.h"
#include "gui/common/qt_text.h"
#include "gui/editing/custom_field_panel.h"
#include "gui/editing/record_dialogs.h"
#include "gui/i18n/translate_window.h"
#include "gui/main/application.h"

namespace kindrela {
namespace {

QString Q(std::string_view ansi) { return VersQString(ansi); }

// A map pin, for the button that shows an event's place on the online map.
QIcon IconeCarte() {
  QPixmap pix(32, 32);
  pix.fill(Qt::transparent);
  QPainter p(&pix);
  p.setRenderHint(QPainter::Antialiasing);
  QPainterPath pointe;
  pointe.moveTo(16, 30);
  pointe.cubicTo(4, 16, 6, 3, 16, 3);
  pointe.cubicTo(26, 3, 28, 16, 16, 30);
  p.setPen(QPen(QColor(120, 20, 20), 1.5));
  p.setBrush(QColor(220, 50, 40));
  p.drawPath(pointe);
  p.setBrush(Qt::white);
  p.drawEllipse(QPointF(16, 12), 4.5, 4.5);
  return QIcon(pix);
}

QLabel* Etiquette(const char* nom, std::string_view texte, QWidget* parent) {
  auto* l = new QLabel(Q(texte), parent);
  l->setObjectName(nom);
  return l;
}

QLineEdit* Edit(const char* nom, QWidget* parent) {
  auto* e = new QLineEdit(parent);
  e->setObjectName(nom);
  return e;
}

QPlainTextEdit* Memo(const char* nom, QWidget* parent) {
  auto* m = new QPlainTextEdit(parent);
  m->setObjectName(nom);
  m->setTabChangesFocus(true);
  return m;
}

QListWidget* Liste(const char* nom, QWidget* parent) {
  auto* l = new QListWidget(parent);
  l->setObjectName(nom);
  l->setContextMenuPolicy(Qt::CustomContextMenu);
  return l;
}

// A small coloured panel with a centred label (sex, certainty level).
QLabel* Panneau(const char* nom, QWidget* parent) {
  auto* p = new QLabel(parent);
  p->setObjectName(nom);
  p->setAlignment(Qt::AlignCenter);
  p->setAutoFillBackground(true);
  p->setFrameShape(QFrame::Panel);
  p->setFrameShadow(QFrame::Sunken);
  p->setMargin(2);
  return p;
}

QToolButton* BoutonNiveau(const char* nom, std::string_view bulle, QWidget* parent) {
  auto* b = new QToolButton(parent);
  b->setObjectName(nom);
  b->setText("...");
  b->setToolTip(Q(bulle));
  b->setAutoRaise(false);
  return b;
}

// An events list wide enough for its placeholder, whatever the font.
int LargeurListeEve(const QListWidget* liste) {
  return liste->fontMetrics().horizontalAdvance(Q(kEntreeCreer)) + 2 * liste->frameWidth() + 12;
}

void Colore(QLabel* panneau, TCouleur c) {
  QPalette p = panneau->palette();
  p.setColor(QPalette::Window, QColor(c.r, c.g, c.b));
  p.setColor(QPalette::WindowText, Qt::black);
  panneau->setPalette(p);
}

// Shows capitals while the surname is typed, when the option asks for them.
class TValidateurMajuscules : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& texte, int&) const override {
    const std::string ansi = DepuisQString(texte);
    // Only text the tree can hold as it is; anything else is left to the conversion.
    if (VersQString(ansi) == texte) texte = VersQString(MajusculesNom(ansi));
    return Acceptable;
  }
};

}  // namespace

TfmFiche::TfmFiche(TApplication& app, QWidget* parent) : QWidget(parent), m_app(app) {
  setObjectName("fmFiche");
  setWindowTitle("Fiche");
  // Over its owner, as a tool window that follows it.
  setWindowFlag(Qt::Tool, parent != nullptr);
  m_onglets = new QTabWidget(this);
  m_onglets->setObjectName("PageControl");
  m_onglets->setDocumentMode(false);
  m_onglets->setUsesScrollButtons(true);
  m_pageIdentite = PageIdentite();
  m_pageEvenement = PageEvenement();
  m_pageFamille = PageFamille();
  m_pageUnion = PageUnion();
  m_pageNote = PageNote();
  m_pageDonnee = PageDonnee();
  m_pageErreur = PageErreur();
  m_pagePhoto = new QWidget;
  m_pagePhoto->setObjectName("tsPhoto");
  m_onglets->addTab(m_pageIdentite, Q("Identité"_ansi));
  m_onglets->addTab(m_pageEvenement, Q(m_app.traduction.Msg(114)));
  m_onglets->addTab(m_pageFamille, "Famille");
  m_onglets->addTab(m_pageUnion, Q(m_app.traduction.Msg(116)));
  m_onglets->addTab(m_pageNote, Q(m_app.traduction.Msg(115)));
  m_onglets->addTab(m_pageDonnee, Q(m_app.traduction.Msg(117)));
  m_onglets->addTab(m_pageErreur, "Erreur");
  m_onglets->addTab(m_pagePhoto, "Photo");
  m_onglets->setTabVisible(m_onglets->indexOf(m_pagePhoto), false);
  m_onglets->setTabVisible(m_onglets->indexOf(m_pageErreur), false);
  auto* colonne = new QVBoxLayout(this);
  colonne->setContentsMargins(4, 4, 4, 4);
  colonne->addWidget(m_onglets);
  // Leaving the tab control is a place exit (the map follows the places).
  connect(m_onglets, &QTabWidget::currentChanged, this, [this] { EtapeCarte(); });

  TraduitFenetre(this, m_app.traduction);
  qApp->installEventFilter(this);
  resize(540, 620);
  setEnabled(false);
}

TfmFiche::~TfmFiche() { qApp->removeEventFilter(this); }

// ---------------------------------------------------------------------------
// Pages

QWidget* TfmFiche::PageIdentite() {
  auto* page = new QWidget;
  page->setObjectName("TS_Identite");
  E_Nom = Edit("E_Nom", page);
  E_Pre = Edit("E_Pre", page);
  for (QLineEdit* e : {E_Nom, E_Pre}) {
    e->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(e, &QLineEdit::textChanged, this, [this, e] { ChangeNomPre(e); });
  }
  connect(E_Nom, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& p) { MenuPersonne(ControleFiche::Nom, E_Nom->mapToGlobal(p)); });
  connect(E_Pre, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& p) { MenuPersonne(ControleFiche::Prenoms, E_Pre->mapToGlobal(p)); });
  pSexe = Panneau("pSexe", page);
  pSexe->setMinimumWidth(pSexe->fontMetrics().horizontalAdvance("Femme") + 24);
  sbSexe = new QToolButton(page);
  sbSexe->setObjectName("sbSexe");
  sbSexe->setText("Changer");
  sbSexe->setToolTip(Q("Changer le sexe (seulement pour une personne sans enfant ni union)"));
  connect(sbSexe, &QToolButton::clicked, this, [this] { sbSexeClick(); });
  lSosa = Etiquette("lSosa", {}, page);
  lSosa->setTextInteractionFlags(Qt::TextSelectableByMouse);
  L_Date = Etiquette("L_Date", {}, page);
  L_Date->setWordWrap(true);
  PChp = new TChamp(page);
  connect(PChp, &TChamp::ChampChange, this,
          [this](const QString&, const QString& libelle, const QString&) { ChangeChamp(libelle); });
  connect(PChp, &TChamp::DateExit, this, [this](QLineEdit* e) { SortieDateChamp(e); });
  connect(PChp, &TChamp::LieuExit, this, [this](QLineEdit*) { EtapeCarte(); });
  connect(PChp->BoutonAjout(), &QPushButton::clicked, this, [this] { AjouteChamp(); });

  auto* g = new QGridLayout;
  g->addWidget(Etiquette("lNom", "Nom", page), 0, 0);
  g->addWidget(E_Nom, 0, 1, 1, 3);
  g->addWidget(Etiquette("lPre", "Prénoms"_ansi, page), 1, 0);
  g->addWidget(E_Pre, 1, 1, 1, 3);
  g->addWidget(Etiquette("lSexe", "Sexe", page), 2, 0);
  g->addWidget(pSexe, 2, 1);
  g->addWidget(sbSexe, 2, 2);
  g->addWidget(lSosa, 2, 3, Qt::AlignRight);
  g->setColumnStretch(3, 1);
  auto* v = new QVBoxLayout(page);
  v->addLayout(g);
  v->addSpacing(6);
  v->addWidget(Etiquette("lChamps", "Champs personnels", page));
  v->addWidget(PChp, 1);
  v->addWidget(L_Date);
  return page;
}

QWidget* TfmFiche::PageEvenement() {
  auto* page = new QWidget;
  page->setObjectName("TS_Evenement");
  auto* partage = new QSplitter(Qt::Horizontal, page);
  partage->setObjectName("spEve");
  partage->setChildrenCollapsible(false);
  lbEve = Liste("lbEve", partage);
  lbEve->setContextMenuPolicy(Qt::DefaultContextMenu);
  connect(lbEve, &QListWidget::currentRowChanged, this, [this] { ChoixEve(); });
  connect(lbEve, &QListWidget::itemDoubleClicked, this, [this] {
    if (EveALaLigne(lbEve->currentRow()) == 0) NouvelEve();
  });
  // The detail panel hides inside a frame that keeps its place in the splitter.
  auto* cadreEve = new QWidget(partage);
  auto* colonneEve = new QVBoxLayout(cadreEve);
  colonneEve->setContentsMargins(0, 0, 0, 0);
  pEve = new QWidget(cadreEve);
  colonneEve->addWidget(pEve);
  pEve->setObjectName("pEve");
  eveDate = Edit("eveDate", pEve);
  eveTime = Edit("eveTime", pEve);
  eveLieu = Edit("eveLieu", pEve);
  eveNote = Memo("eveNote", pEve);
  pEveSta = Panneau("pEveSta", pEve);
  sbEveSta = BoutonNiveau("sbEveSta", "Changer le niveau de certitude de l'événement"_ansi, pEve);
  lJour = Etiquette("lJour", {}, pEve);
  lJour->setWordWrap(true);
  for (QLineEdit* e : {eveDate, eveTime, eveLieu})
    connect(e, &QLineEdit::textChanged, this, [this, e] { ChangeEve(e); });
  connect(eveNote, &QPlainTextEdit::textChanged, this, [this] { ChangeEve(eveNote); });
  eveDate->setContextMenuPolicy(Qt::CustomContextMenu);
  eveDate->setToolTip(Q("Clic droit : conversion de calendrier"));
  connect(eveDate, &QWidget::customContextMenuRequested, this, [this] { MenuDate(eveDate); });
  eveLieu->setContextMenuPolicy(Qt::CustomContextMenu);
  eveLieu->setToolTip(Q("Clic droit : liste des lieux ; deux chiffres : un département"_ansi));
  connect(eveLieu, &QWidget::customContextMenuRequested, this, [this] { MenuLieu(eveLieu); });
  eveNote->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(eveNote, &QWidget::customContextMenuRequested, this, [this] { MenuNote(eveNote); });
  connect(sbEveSta, &QToolButton::clicked, this, [this] { sbEveStaClick(); });
  iMaps = new QToolButton(pEve);
  iMaps->setObjectName("iMaps");
  iMaps->setIcon(IconeCarte());
  iMaps->setAutoRaise(true);
  iMaps->setToolTip(Q("Voir ce lieu sur la carte en ligne"));
  connect(iMaps, &QToolButton::clicked, this, [this] {
    MontreCarteLieu(m_app, DepuisQString(eveLieu->text()), m_personne, m_ouvreurCarte, this);
  });

  auto* g = new QGridLayout(pEve);
  g->setContentsMargins(6, 0, 0, 0);
  g->addWidget(Etiquette("lDate", "Date", pEve), 0, 0);
  g->addWidget(eveDate, 0, 1);
  g->addWidget(pEveSta, 0, 2);
  g->addWidget(sbEveSta, 0, 3);
  g->addWidget(lJour, 1, 1, 1, 3);
  g->addWidget(Etiquette("lHeure", "Heure", pEve), 2, 0);
  g->addWidget(eveTime, 2, 1, 1, 3);
  g->addWidget(Etiquette("lLieu", "Lieu", pEve), 3, 0);
  g->addWidget(eveLieu, 3, 1, 1, 2);
  g->addWidget(iMaps, 3, 3);
  g->addWidget(Etiquette("lNoteEve", "Note", pEve), 4, 0, Qt::AlignTop);
  g->addWidget(eveNote, 4, 1, 1, 3);
  g->setRowStretch(4, 1);
  g->setColumnStretch(1, 1);
  partage->addWidget(lbEve);
  partage->addWidget(cadreEve);
  partage->setStretchFactor(1, 1);
  partage->setSizes({LargeurListeEve(lbEve), 330});
  auto* v = new QVBoxLayout(page);
  v->addWidget(partage);
  return page;
}

QWidget* TfmFiche::PageFamille() {
  auto* page = new QWidget;
  page->setObjectName("TS_Famille");
  E_Pere = Edit("E_Pere", page);
  E_Mere = Edit("E_Mere", page);
  pStaP = Panneau("pStaP", page);
  pStaM = Panneau("pStaM", page);
  sbStaP = BoutonNiveau("sbStaP", "Changer le niveau de certitude du lien avec le père"_ansi, page);
  sbStaM = BoutonNiveau("sbStaM", "Changer le niveau de certitude du lien avec la mère"_ansi, page);
  for (QLineEdit* e : {E_Pere, E_Mere}) {
    e->setReadOnly(true);
    e->setContextMenuPolicy(Qt::CustomContextMenu);
    e->setToolTip(Q("Double clic : afficher ou créer ; clic droit : menu de la personne"_ansi));
  }
  connect(E_Pere, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& p) { MenuPersonne(ControleFiche::Pere, E_Pere->mapToGlobal(p)); });
  connect(E_Mere, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& p) { MenuPersonne(ControleFiche::Mere, E_Mere->mapToGlobal(p)); });
  connect(sbStaP, &QToolButton::clicked, this, [this] { sbStaClick(true); });
  connect(sbStaM, &QToolButton::clicked, this, [this] { sbStaClick(false); });
  LB_Fatrie = Liste("LB_Fatrie", page);
  LB_Enfant = Liste("LB_Enfant", page);
  connect(LB_Fatrie, &QListWidget::itemDoubleClicked, this,
          [this] { DoubleClicListe(ControleFiche::Fratrie); });
  connect(LB_Enfant, &QListWidget::itemDoubleClicked, this,
          [this] { DoubleClicListe(ControleFiche::Enfant); });
  connect(LB_Fatrie, &QWidget::customContextMenuRequested, this, [this](const QPoint& p) {
    MenuPersonne(ControleFiche::Fratrie, LB_Fatrie->viewport()->mapToGlobal(p));
  });
  connect(LB_Enfant, &QWidget::customContextMenuRequested, this, [this](const QPoint& p) {
    MenuPersonne(ControleFiche::Enfant, LB_Enfant->viewport()->mapToGlobal(p));
  });

  auto* g = new QGridLayout;
  g->addWidget(Etiquette("lPere", "Père"_ansi, page), 0, 0);
  g->addWidget(E_Pere, 0, 1);
  g->addWidget(pStaP, 0, 2);
  g->addWidget(sbStaP, 0, 3);
  g->addWidget(Etiquette("lMere", "Mère"_ansi, page), 1, 0);
  g->addWidget(E_Mere, 1, 1);
  g->addWidget(pStaM, 1, 2);
  g->addWidget(sbStaM, 1, 3);
  g->setColumnStretch(1, 1);
  auto* v = new QVBoxLayout(page);
  v->addLayout(g);
  v->addWidget(Etiquette("lFatrie", "Frères et soeurs"_ansi, page));
  v->addWidget(LB_Fatrie, 1);
  v->addWidget(Etiquette("lEnfant", "Enfants", page));
  v->addWidget(LB_Enfant, 1);
  return page;
}

QWidget* TfmFiche::PageUnion() {
  auto* page = new QWidget;
  page->setObjectName("TS_Union");
  LB_Union = Liste("LB_Union", page);
  connect(LB_Union, &QListWidget::currentRowChanged, this, [this] { ChoixUnion(); });
  connect(LB_Union, &QListWidget::itemDoubleClicked, this,
          [this] { DoubleClicListe(ControleFiche::Union); });
  connect(LB_Union, &QWidget::customContextMenuRequested, this, [this](const QPoint& p) {
    MenuPersonne(ControleFiche::Union, LB_Union->viewport()->mapToGlobal(p));
  });
  pUnionEve = new QWidget(page);
  pUnionEve->setObjectName("pUnionEve");
  auto* partage = new QSplitter(Qt::Horizontal, pUnionEve);
  partage->setChildrenCollapsible(false);
  lbUnionEve = Liste("lbUnionEve", partage);
  lbUnionEve->setContextMenuPolicy(Qt::DefaultContextMenu);
  connect(lbUnionEve, &QListWidget::currentRowChanged, this, [this] { ChoixEveUnion(); });
  connect(lbUnionEve, &QListWidget::itemDoubleClicked, this, [this] {
    if (EveUnionALaLigne(lbUnionEve->currentRow()) == 0) NouvelEveUnion();
  });
  auto* cadreEveUnion = new QWidget(partage);
  auto* colonneEveUnion = new QVBoxLayout(cadreEveUnion);
  colonneEveUnion->setContentsMargins(0, 0, 0, 0);
  pEveUnion = new QWidget(cadreEveUnion);
  colonneEveUnion->addWidget(pEveUnion);
  pEveUnion->setObjectName("pEveUnion");
  eveUnionDate = Edit("eveUnionDate", pEveUnion);
  eveUnionTime = Edit("eveUnionTime", pEveUnion);
  eveUnionLieu = Edit("eveUnionLieu", pEveUnion);
  eveUnionNote = Memo("eveUnionNote", pEveUnion);
  pEveUnionSta = Panneau("pEveUnionSta", pEveUnion);
  sbEveUnionSta =
      BoutonNiveau("sbEveUnionSta", "Changer le niveau de certitude de l'événement"_ansi, pEveUnion);
  for (QLineEdit* e : {eveUnionDate, eveUnionTime, eveUnionLieu})
    connect(e, &QLineEdit::textChanged, this, [this, e] { ChangeEve(e); });
  connect(eveUnionNote, &QPlainTextEdit::textChanged, this, [this] { ChangeEve(eveUnionNote); });
  eveUnionDate->setContextMenuPolicy(Qt::CustomContextMenu);
  eveUnionDate->setToolTip(Q("Clic droit : conversion de calendrier"));
  connect(eveUnionDate, &QWidget::customContextMenuRequested, this,
          [this] { MenuDate(eveUnionDate); });
  eveUnionLieu->setContextMenuPolicy(Qt::CustomContextMenu);
  eveUnionLieu->setToolTip(Q("Clic droit : liste des lieux ; deux chiffres : un département"_ansi));
  connect(eveUnionLieu, &QWidget::customContextMenuRequested, this,
          [this] { MenuLieu(eveUnionLieu); });
  eveUnionNote->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(eveUnionNote, &QWidget::customContextMenuRequested, this,
          [this] { MenuNote(eveUnionNote); });
  connect(sbEveUnionSta, &QToolButton::clicked, this, [this] { sbEveUnionStaClick(); });

  auto* g = new QGridLayout(pEveUnion);
  g->setContentsMargins(6, 0, 0, 0);
  g->addWidget(Etiquette("lUnionDate", "Date", pEveUnion), 0, 0);
  g->addWidget(eveUnionDate, 0, 1);
  g->addWidget(pEveUnionSta, 0, 2);
  g->addWidget(sbEveUnionSta, 0, 3);
  g->addWidget(Etiquette("lUnionHeure", "Heure", pEveUnion), 1, 0);
  g->addWidget(eveUnionTime, 1, 1, 1, 3);
  g->addWidget(Etiquette("lUnionLieu", "Lieu", pEveUnion), 2, 0);
  g->addWidget(eveUnionLieu, 2, 1, 1, 3);
  g->addWidget(Etiquette("lUnionNote", "Note", pEveUnion), 3, 0, Qt::AlignTop);
  g->addWidget(eveUnionNote, 3, 1, 1, 3);
  g->setRowStretch(3, 1);
  g->setColumnStretch(1, 1);
  partage->addWidget(lbUnionEve);
  partage->addWidget(cadreEveUnion);
  partage->setStretchFactor(1, 1);
  partage->setSizes({LargeurListeEve(lbUnionEve), 330});
  auto* ue = new QVBoxLayout(pUnionEve);
  ue->setContentsMargins(0, 0, 0, 0);
  ue->addWidget(Etiquette("lUnionEve", "Evénements de l'union"_ansi, pUnionEve));
  ue->addWidget(partage, 1);

  auto* v = new QVBoxLayout(page);
  v->addWidget(Etiquette("lUnion", "Conjoints", page));
  v->addWidget(LB_Union, 1);
  v->addWidget(pUnionEve, 2);
  return page;
}

QWidget* TfmFiche::PageNote() {
  auto* page = new QWidget;
  page->setObjectName("TS_Note");
  M_Note = Memo("M_Note", page);
  M_Note->setTabChangesFocus(false);
  M_Note->setContextMenuPolicy(Qt::CustomContextMenu);
  M_Note->setToolTip(Q("Double clic ou clic droit : éditeur de texte"_ansi));
  connect(M_Note, &QPlainTextEdit::textChanged, this, [this] { ChangeNote(); });
  connect(M_Note, &QWidget::customContextMenuRequested, this, [this] { MenuNote(M_Note); });
  auto* v = new QVBoxLayout(page);
  v->addWidget(M_Note);
  return page;
}

QWidget* TfmFiche::PageErreur() {
  auto* page = new QWidget;
  page->setObjectName("tsErreur");
  mInfo = Memo("mInfo", page);
  mInfo->setReadOnly(true);
  auto* v = new QVBoxLayout(page);
  v->addWidget(Etiquette("lErreur", "Incohérences trouvées dans les dates de la personne"_ansi, page));
  v->addWidget(mInfo, 1);
  return page;
}

// ---------------------------------------------------------------------------
// Keys, focus and mouse, for every control of the window

bool TfmFiche::eventFilter(QObject* objet, QEvent* evenement) {
  const QEvent::Type type = evenement->type();
  if (type != QEvent::KeyPress && type != QEvent::FocusOut && type != QEvent::MouseButtonDblClick &&
      type != QEvent::FocusIn && type != QEvent::MouseButtonRelease)
    return QWidget::eventFilter(objet, evenement);
  auto* w = qobject_cast<QWidget*>(objet);
  if (!w || w->window() != this || !isEnabled()) return QWidget::eventFilter(objet, evenement);
  if (type == QEvent::FocusIn || type == QEvent::KeyPress) NommeChamp(w, false);
  if (type == QEvent::MouseButtonRelease) NommeChamp(w, true);

  if (type == QEvent::KeyPress && ToucheFiche(objet, static_cast<QKeyEvent*>(evenement)))
    return true;
  if (type == QEvent::FocusOut) {
    if (objet == E_Nom || objet == E_Pre) SortieNomPre(static_cast<QLineEdit*>(objet));
    else if (objet == eveDate) eveDateExit();
    else if (objet == eveUnionDate) eveUnionDateExit();
    else if (objet == eveLieu || objet == eveUnionLieu) EtapeCarte();
    // The field's edit is over: it is one step of the undo journal. The
    // assisted-entry list and other windows coming in front do not end it.
    const Qt::FocusReason raison = static_cast<QFocusEvent*>(evenement)->reason();
    if (m_app.bd && raison != Qt::PopupFocusReason && raison != Qt::ActiveWindowFocusReason)
      m_app.bd->Journal().FinChamp();
  }
  if (type == QEvent::MouseButtonDblClick) {
    if (objet == E_Pere || objet == E_Mere) {
      DoubleClicParent(objet == E_Pere);
      return true;
    }
    if (objet == M_Note->viewport()) {
      MenuNote(M_Note);
      return true;
    }
  }
  return QWidget::eventFilter(objet, evenement);
}

void TfmFiche::NommeChamp(QWidget* w, bool clic) {
  if (m_personne == 0 || !m_app.bd) return;
  // A note's viewport gets the mouse: the step belongs to the note.
  QWidget* controle = w;
  if (auto* note = qobject_cast<QPlainTextEdit*>(w->parentWidget())) controle = note;
  const bool texte = qobject_cast<QLineEdit*>(controle) || qobject_cast<QPlainTextEdit*>(controle);
  TJournal& journal = m_app.bd->Journal();
  std::string cle = std::to_string(m_personne) + ":" + DepuisQString(controle->objectName()) + ":" +
                    std::to_string(m_eveAffiche) + ":" + std::to_string(m_eveUnionAffiche);
  if (!texte) {
    if (!clic) return;
    journal.FinChamp();
    cle += ":" + std::to_string(++m_clics);
  }
  const char* quoi = "de la fiche";
  if (controle == E_Nom) quoi = "du nom";
  else if (controle == E_Pre) quoi = "des prénoms"_ansi;
  else if (controle == eveDate || controle == eveUnionDate) quoi = "de la date";
  else if (controle == eveTime || controle == eveUnionTime) quoi = "de l'heure";
  else if (controle == eveLieu || controle == eveUnionLieu) quoi = "du lieu";
  else if (controle == eveNote || controle == eveUnionNote) quoi = "de la note de l'événement"_ansi;
  else if (controle == M_Note) quoi = "de la note";
  else if (controle == sbSexe) quoi = "du sexe";
  else if (texte) quoi = "d'un champ";
  journal.Champ(std::string("modification ") + quoi + " de " + m_app.bd->NomCourt(m_personne), cle);
}

bool TfmFiche::ToucheFiche(QObject* objet, QKeyEvent* touche) {
  const Qt::KeyboardModifiers m = touche->modifiers() & ~Qt::KeypadModifier;
  if (m == Qt::ControlModifier) {
    switch (touche->key()) {
      case Qt::Key_N: RaccourciEve(201); return true;
      case Qt::Key_B: RaccourciEve(202); return true;
      case Qt::Key_D: RaccourciEve(203); return true;
      case Qt::Key_S: RaccourciEve(204); return true;
      case Qt::Key_M: RaccourciEve(205); return true;
      default: break;
    }
  }
  auto* edit = qobject_cast<QLineEdit*>(objet);
  const bool editFiche = edit && (edit == E_Nom || edit == E_Pre || edit == eveDate ||
                                  edit == eveTime || edit == eveLieu || edit == eveUnionDate ||
                                  edit == eveUnionTime || edit == eveUnionLieu ||
                                  !PChp->SorteDe(edit).empty());
  return editFiche && ToucheEdit(edit, touche);
}

bool TfmFiche::ToucheEdit(QLineEdit* edit, QKeyEvent* touche) {
  const int cle = touche->key();
  const bool entree = cle == Qt::Key_Return || cle == Qt::Key_Enter;
  if (m_saisie && m_saisie->Visible()) {
    if (cle == Qt::Key_Tab || cle == Qt::Key_Escape) {
      m_saisie->Ferme();
      return true;
    }
    if (cle == Qt::Key_Up || cle == Qt::Key_Down) {
      m_saisie->Touche(edit, touche);
      return true;
    }
    if (entree) m_saisie->Touche(edit, touche);
  }
  if (cle == Qt::Key_F3) {
    OffreSaisie(edit, true);
    return true;
  }
  if (entree) {
    focusNextChild();
    return true;
  }
  return false;
}

void TfmFiche::FermeSaisie() {
  if (m_saisie && m_saisie->Visible()) m_saisie->Ferme();
}

void TfmFiche::OffreSaisie(QLineEdit* edit, bool toutes) {
  if (!m_saisie) return;
  if (edit == E_Nom || edit == E_Pre) m_saisie->Offre(edit, TSaisieAssistee::Sorte::Noms, {}, toutes);
  else if (edit == eveLieu || edit == eveUnionLieu)
    m_saisie->Offre(edit, TSaisieAssistee::Sorte::Lieux, {}, toutes);
  else if (!PChp->SorteDe(edit).empty())
    m_saisie->Offre(edit, TSaisieAssistee::Sorte::Champ, PChp->LibelleDe(edit), toutes);
}

int TfmFiche::Onglet() const { return m_onglets->currentIndex(); }

void TfmFiche::MontreOnglet(int k) {
  if (k >= 0 && k < m_onglets->count()) m_onglets->setCurrentIndex(k);
}

void TfmFiche::showEvent(QShowEvent* evenement) {
  QWidget::showEvent(evenement);
  // Shown again by the user: it opens on the first tab.
  if (!evenement->spontaneous()) m_onglets->setCurrentIndex(0);
}

void TfmFiche::closeEvent(QCloseEvent* evenement) {
  QWidget::closeEvent(evenement);
  emit Fermee();
}

void TfmFiche::hideEvent(QHideEvent* evenement) {
  Valide();
  RetireEveCree();
  RetireEveUnionCree();
  FermeSaisie();
  QWidget::hideEvent(evenement);
}

// ---------------------------------------------------------------------------
// Shared helpers

void TfmFiche::Reactive() {
  // A window manager may give the activation to the main window when a dialog closes.
  if (!isVisible()) return;
  raise();
  activateWindow();
}

std::string TfmFiche::Format() const { return m_app.ini.formatDate; }

bool TfmFiche::Option(const char* cle) const { return m_app.reglages.Bool(kSectionOptions, cle); }

TContexteModele TfmFiche::Contexte() const {
  TContexteModele c{*m_app.bd, m_app.mots};
  c.formatDate = m_app.ini.formatDate;
  c.fetes = &m_app.fetes;
  c.traduction = &m_app.traduction;
  return c;
}

void TfmFiche::MontreNiveau(QLabel* panneau, int niveau) {
  panneau->setText(Q(m_app.traduction.Msg(MessageNiveau(niveau))));
  Colore(panneau, CouleurNiveau(niveau));
  int largeur = 0;
  for (int n = 0; n < kNbreNiveaux; ++n)
    largeur = std::max(largeur, panneau->fontMetrics().horizontalAdvance(
                                    Q(m_app.traduction.Msg(MessageNiveau(n)))));
  panneau->setMinimumWidth(largeur + 16);
}

// ---------------------------------------------------------------------------
// Display

void TfmFiche::Affiche(int n) {
  TBD& bd = *m_app.bd;
  // An event created here and never filled goes when the record moves on.
  if (n != m_personne) {
    RetireEveCree();
    RetireEveUnionCree();
  }
  const bool ancien = m_affichage;
  m_affichage = true;
  m_personne = bd.FicheUtilisee(n) ? n : 0;
  m_eveAffiche = -1;
  m_eveUnionAffiche = -1;
  setEnabled(m_personne != 0);
  if (m_personne == 0) {
    setWindowTitle("Fiche");
    for (QLineEdit* e : {E_Nom, E_Pre, E_Pere, E_Mere}) e->clear();
    for (QListWidget* l : {lbEve, LB_Fatrie, LB_Enfant, LB_Union, lbDonnee}) l->clear();
    M_Note->clear();
    PChp->SetChamp({});
    L_Date->clear();
    lSosa->clear();
    pEve->hide();
    pUnionEve->hide();
    m_affichage = ancien;
    CtrlCoherence();
    return;
  }
  Titre();
  MontreSexe();
  lSosa->setText(Q(LibelleNumero(bd.LitChamp(n, 26), m_app.traduction)));
  E_Nom->setValidator(Option("NomMaj") ? new TValidateurMajuscules(E_Nom) : nullptr);
  E_Nom->setText(Q(bd.LitNom(n)));
  E_Pre->setText(Q(bd.LitPrenoms(n)));
  E_Nom->setCursorPosition(0);
  E_Pre->setCursorPosition(0);
  AssureDateCreation(bd, n);
  L_Date->setText(Q(LigneDates(bd, n, m_app.traduction, Format())));
  M_Note->setPlainText(Q(NoteAffichee(bd.LitChamp(n, 18))));
  ListeEve();
  ListeFamille();
  ListeUnion();
  ListeDonnee();
  PChp->SetChampDef(m_app.tables.ChampsParDefaut(m_app.traduction));
  PChp->SetChamp(bd.LitChamp(n, 23));
  ActualiseOnglet();
  m_affichage = ancien;
  CtrlCoherence();
}

void TfmFiche::Oublie() {
  m_personne = 0;
  m_eveCree = 0;
  m_eveUnionCree = 0;
  m_unionEveCree = 0;
  Affiche(0);
}

void TfmFiche::MontreNouvelle(const std::string& titre, bool prenoms) {
  if (m_personne == 0) return;
  m_titreNouvelle = titre;
  m_personneNouvelle = m_personne;
  m_onglets->setCurrentWidget(m_pageIdentite);
  Titre();
  (prenoms ? E_Pre : E_Nom)->setFocus();
}

void TfmFiche::Titre() {
  // A person just added keeps the caption saying whose relative it is.
  if (m_personne != 0 && m_personne == m_personneNouvelle) {
    setWindowTitle(Q(m_titreNouvelle));
    return;
  }
  m_personneNouvelle = 0;
  std::string titre = ExpandTemplate(Contexte(), m_personne,
                                     m_app.reglages.Texte(kSectionOptions, "FicheTitre"));
  setWindowTitle(titre.empty() ? QString("Fiche") : Q(titre));
}

void TfmFiche::MontreSexe() {
  const TBD& bd = *m_app.bd;
  const int sexe = bd.LitSexe(m_personne);
  pSexe->setText(Q(m_app.traduction.Msg(MessageSexe(sexe))));
  const TApparence defaut;
  const T1Aff& moitie = (m_apparence ? *m_apparence : defaut).Moitie(1);
  Colore(pSexe, moitie.LookDe(sexe == 0).Color);
  const bool modifiable = SexeModifiable(bd, m_personne);
  sbSexe->setEnabled(modifiable);
  pSexe->setEnabled(modifiable);
}

void TfmFiche::ActualiseOnglet() {
  const LegendesOnglets l = LegendesDesOnglets(*m_app.bd, m_personne, m_app.traduction);
  m_onglets->setTabText(m_onglets->indexOf(m_pageEvenement), Q(l.evenements));
  m_onglets->setTabText(m_onglets->indexOf(m_pageNote), Q(l.note));
  m_onglets->setTabText(m_onglets->indexOf(m_pageUnion), Q(l.unions));
  m_onglets->setTabText(m_onglets->indexOf(m_pageDonnee), Q(l.sources));
}

void TfmFiche::CtrlCoherence() {
  const std::string rapport =
      m_personne == 0 ? std::string()
                      : ControleCoherence(*m_app.bd, m_app.traduction,
                                          SeuilsDepuisReglages(m_app.reglages), m_personne);
  mInfo->setPlainText(Q(NoteAffichee(rapport)));
  m_onglets->setTabVisible(m_onglets->indexOf(m_pageErreur), !rapport.empty());
}

void TfmFiche::FicheMAJ() {
  if (m_personne == 0) return;
  FicheModifiee(*m_app.bd, m_personne);
  L_Date->setText(Q(LigneDates(*m_app.bd, m_personne, m_app.traduction, Format())));
  emit PersonneModifiee(m_personne);
}

void TfmFiche::Valide() {
  if (m_personne == 0) return;
  SortieNomPre(E_Nom);
  SortieNomPre(E_Pre);
  eveDateExit();
  eveUnionDateExit();
}

// ---------------------------------------------------------------------------
// Identity

void TfmFiche::ChangeNomPre(QLineEdit* emetteur) {
  if (m_affichage || m_personne == 0) return;
  OptionsNoms options{Option("NomMaj"), Option("PreMaj")};
  const ResultatNoms r = EcritNomPrenoms(*m_app.bd, m_personne, DepuisQString(E_Nom->text()),
                                         DepuisQString(E_Pre->text()), options);
  if (r.raccourci) FermeSaisie();
  Titre();
  if (Option("SaisieNom")) OffreSaisie(emetteur, false);
  FicheMAJ();
}

void TfmFiche::SortieNomPre(QLineEdit* edit) {
  if (m_personne == 0) return;
  const std::string texte = DepuisQString(edit->text());
  std::string converti = texte;
  if (edit == E_Nom && Option("NomMaj")) converti = MajusculesNom(texte);
  if (edit == E_Pre && Option("PreMaj")) converti = CapitalisePrenoms(texte);
  // Only text the tree can hold is rewritten: the rest is kept for the user to see.
  if (converti != texte && VersQString(texte) == edit->text()) edit->setText(Q(converti));
  FermeSaisie();
}

void TfmFiche::sbSexeClick() {
  TBD& bd = *m_app.bd;
  if (m_personne == 0 || !SexeModifiable(bd, m_personne)) return;
  bd.EcritSexe(m_personne, SexeApresClic(bd.LitSexe(m_personne)));
  MontreSexe();
  FicheMAJ();
}

void TfmFiche::ChangeNote() {
  if (m_affichage || m_personne == 0) return;
  m_app.bd->EcritChamp(m_personne, 18, TexteNote(DepuisQString(M_Note->toPlainText())));
  ActualiseOnglet();
  FicheMAJ();
}

void TfmFiche::ChangeChamp(const QString& libelle) {
  if (m_affichage || m_personne == 0) return;
  TBD& bd = *m_app.bd;
  const std::string champ = PChp->Champ();
  if (champ.size() < bd.LitChamp(m_personne, 23).size()) FermeSaisie();
  bd.EcritChamp(m_personne, 23, champ);
  if (Option("SaisieChp") && m_saisie) {
    if (auto* edit = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        edit && PChp->LibelleDe(edit) == DepuisQString(libelle))
      OffreSaisie(edit, false);
  }
  FicheMAJ();
}

void TfmFiche::AjouteChamp() {
  if (m_personne == 0) return;
  TfmChampAjoute dialogue(m_app, this);
  const bool ok = dialogue.exec() == QDialog::Accepted;
  Reactive();
  if (!ok) return;
  PChp->AjouteChamp(dialogue.Sorte(), dialogue.Libelle());
  // The fields offered to everybody follow the table.
  PChp->SetChampDef(m_app.tables.ChampsParDefaut(m_app.traduction));
}

void TfmFiche::SortieDateChamp(QLineEdit* edit) {
  if (m_personne == 0) return;
  const std::string saisie = DateInterne(DepuisQString(edit->text()), Format());
  const std::string date = DateNormalise(DateSaisie(saisie));
  // A text that holds no date is kept as typed.
  if (date.empty() && !Trim(saisie).empty()) return;
  const QString affichee = Q(DateAffichee(date, Format()));
  if (affichee != edit->text()) edit->setText(affichee);
}

}  // namespace kindrela

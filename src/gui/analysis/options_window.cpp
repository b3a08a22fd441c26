#include "gui/analysis/options_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/folders.h"
#include "app/settings.h"
#include "core/ansi_literal.h"
#include "gui/analysis/options_calendar_page.h"
#include "gui/analysis/options_record_page.h"
#include "gui/analysis/options_web_page.h"
#include "gui/main/application.h"
#include "gui/common/message_box.h"
#include "core/database.h"
#include "core/journal.h"
#include "core/text.h"
#include "gui/common/qt_text.h"
#include "gui/i18n/translate_window.h"

namespace kindrela {
namespace {

// Texts of this file are Windows-1252 like the rest of the program.
QString Q(std::string_view ansi) { return VersQString(ansi); }

// The question before a table's "&Défaut".
constexpr int kMsgTableParDefaut = 930;

constexpr std::string_view kCleAgeMarMin = "AgeMarMin";
constexpr std::string_view kCleAgeMarMax = "AgeMarMax";
constexpr std::string_view kCleAgeEnfMin = "AgeEnfMin";
constexpr std::string_view kCleAgeEnfMax = "AgeEnfMax";
constexpr std::string_view kCleAgeDecesMax = "AgedecesMax";
constexpr std::string_view kCleEcartConjMax = "EcartConjMax";
constexpr std::string_view kCleNumerote = "Numérote"_ansi;
constexpr std::string_view kCleNumeroteGen = "NuméroteGen"_ansi;
constexpr std::string_view kCleNumeroteConjoint = "NuméroteConjoint"_ansi;
constexpr std::string_view kCleNumeroteFamille = "NuméroteFamille"_ansi;

QSpinBox* Spin(const char* nom, int min, int max, QWidget* parent) {
  auto* s = new QSpinBox(parent);
  s->setObjectName(nom);
  s->setRange(min, max);
  return s;
}

QSpinBox* SpinSeuil(const char* nom, QWidget* parent) {
  return Spin(nom, SeuilsCoherence::kMin, SeuilsCoherence::kMax, parent);
}

QLabel* Etiquette(const char* nom, std::string_view texte, QWidget* parent) {
  auto* l = new QLabel(Q(texte), parent);
  l->setObjectName(nom);
  return l;
}

QPushButton* Bouton(const char* nom, std::string_view texte, QWidget* parent) {
  auto* b = new QPushButton(Q(texte), parent);
  b->setObjectName(nom);
  b->setAutoDefault(false);
  return b;
}

// Object names of each table's controls, in SorteTable order.
struct NomsTable {
  const char* page;
  const char* grille;
  const char* ajoute;
  const char* supprime;
  const char* defaut;
  const char* titrePage;
};
constexpr NomsTable kNomsTables[kNbreTablesTypes] = {
    {"tsEvenements", "sgEve", "btAjouteEve", "btSupprimeEve", "btDefautEve", "Evénements"_ansi},
    {"tsChamps", "sgChp", "btAjouteChp", "btSupprimeChp", "btDefautChp", "Champs personnels"},
    {"tsSources", "sgSrc", "btAjouteSrc", "btSupprimeSrc", "btDefautSrc", "Sources"},
};

const NomsTable& Noms(SorteTable sorte) { return kNomsTables[static_cast<int>(sorte)]; }

// Titles shown when a table has no title row (its files could not be read).
LigneTable TitresParDefaut(SorteTable sorte) {
  switch (sorte) {
    case SorteTable::Evenements: return {"Pour", "Evénement"_ansi, "Balise GEDCOM"};
    case SorteTable::Champs: return {"Par défaut"_ansi, "Champ", "Balise GEDCOM"};
    case SorteTable::Sources: return {"Sorte de source"};
  }
  return {};
}

}  // namespace

SeuilsCoherence SeuilsDepuisReglages(const TReglages& r) {
  SeuilsCoherence s;
  s.ageMarMin = r.Entier(kSectionOptions, kCleAgeMarMin);
  s.ageMarMax = r.Entier(kSectionOptions, kCleAgeMarMax);
  s.ageEnfMin = r.Entier(kSectionOptions, kCleAgeEnfMin);
  s.ageEnfMax = r.Entier(kSectionOptions, kCleAgeEnfMax);
  s.ageDecesMax = r.Entier(kSectionOptions, kCleAgeDecesMax);
  s.ecartConjMax = r.Entier(kSectionOptions, kCleEcartConjMax);
  return s.Bornes();
}

void EcritSeuils(TReglages& r, const SeuilsCoherence& seuils) {
  SeuilsCoherence s = seuils.Bornes();
  r.SetEntier(kSectionOptions, kCleAgeMarMin, s.ageMarMin);
  r.SetEntier(kSectionOptions, kCleAgeMarMax, s.ageMarMax);
  r.SetEntier(kSectionOptions, kCleAgeEnfMin, s.ageEnfMin);
  r.SetEntier(kSectionOptions, kCleAgeEnfMax, s.ageEnfMax);
  r.SetEntier(kSectionOptions, kCleAgeDecesMax, s.ageDecesMax);
  r.SetEntier(kSectionOptions, kCleEcartConjMax, s.ecartConjMax);
  r.SetDureeVieMax(s.ageDecesMax);
}

CheminsTablesTypes CheminsTables(const TDossiers& d) { return d.grilles; }

// ---------------------------------------------------------------------------

TDelegueGrille::TDelegueGrille(QStringList choix, QObject* parent)
    : QStyledItemDelegate(parent), m_choix(std::move(choix)) {}

QWidget* TDelegueGrille::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                      const QModelIndex& index) const {
  QWidget* editeur;
  if (index.column() == 0 && !m_choix.isEmpty()) {
    auto* c = new QComboBox(parent);
    c->addItems(m_choix);
    editeur = c;
  } else {
    editeur = QStyledItemDelegate::createEditor(parent, option, index);
  }
  m_editeur = editeur;
  return editeur;
}

void TDelegueGrille::setEditorData(QWidget* editor, const QModelIndex& index) const {
  if (auto* c = qobject_cast<QComboBox*>(editor)) {
    int i = c->findText(index.data(Qt::EditRole).toString());
    c->setCurrentIndex(i < 0 ? 0 : i);
    return;
  }
  QStyledItemDelegate::setEditorData(editor, index);
}

void TDelegueGrille::setModelData(QWidget* editor, QAbstractItemModel* model,
                                  const QModelIndex& index) const {
  if (auto* c = qobject_cast<QComboBox*>(editor)) {
    model->setData(index, c->currentText(), Qt::EditRole);
    return;
  }
  QStyledItemDelegate::setModelData(editor, model, index);
}

void TDelegueGrille::ValideEdition() {
  // A closed editor is hidden until it is deleted.
  if (!m_editeur || m_editeur->isHidden()) return;
  QWidget* editeur = m_editeur;
  m_editeur = nullptr;
  emit commitData(editeur);
  emit closeEditor(editeur, QAbstractItemDelegate::NoHint);
}

// ---------------------------------------------------------------------------

TfmOptions::TfmOptions(TApplication& app, QWidget* parent) : QDialog(parent), m_app(app) {
  setObjectName("fmOptions");
  setWindowTitle("Options");

  m_pages = new QListWidget(this);
  m_pages->setObjectName("lbPages");
  m_pile = new QStackedWidget(this);
  m_pile->setObjectName("pcOptions");

  auto ajoutePage = [this](QWidget* page, std::string_view titre) {
    m_pile->addWidget(page);
    m_pages->addItem(Q(titre));
  };
  ajoutePage(PageGenerale(), "Général"_ansi);
  m_pageFiche = new TPageOptionsFiche(m_app.reglages);
  ajoutePage(m_pageFiche, "Fiche");
  ajoutePage(PageNumerotation(), "Numérotation"_ansi);
  ajoutePage(PageCoherence(), "Cohérence"_ansi);
  for (SorteTable s : {SorteTable::Evenements, SorteTable::Champs, SorteTable::Sources})
    ajoutePage(PageTable(s), Noms(s).titrePage);
  m_pageCalendrier = new TPageOptionsCalendrier(m_app.reglages);
  ajoutePage(m_pageCalendrier, "Calendrier");
  m_pageAnniversaires = new TPageOptionsAnniversaires(m_app);
  ajoutePage(m_pageAnniversaires, "Anniversaires");
  m_pageSourcesWeb = new TPageOptionsSourcesWeb(m_app.reglages);
  ajoutePage(m_pageSourcesWeb, "Sources (page Web)");
  m_pages->setFixedWidth(m_pages->sizeHintForColumn(0) + 24);
  connect(m_pages, &QListWidget::currentRowChanged, m_pile, &QStackedWidget::setCurrentIndex);

  auto* fermer = Bouton("btFermer", "&Fermer", this);
  fermer->setDefault(true);
  connect(fermer, &QPushButton::clicked, this, &TfmOptions::Ferme);

  auto* haut = new QHBoxLayout;
  haut->addWidget(m_pages);
  haut->addWidget(m_pile, 1);
  auto* bas = new QHBoxLayout;
  bas->addStretch(1);
  bas->addWidget(fermer);
  auto* tout = new QVBoxLayout(this);
  tout->addLayout(haut, 1);
  tout->addLayout(bas);

  TraduitFenetre(this, m_app.traduction);
  AffichePage(kPageGenerale);
  resize(640, 440);
}

QWidget* TfmOptions::PageGenerale() {
  auto* page = new QWidget;
  page->setObjectName("tsGeneral");
  const TReglages& r = m_app.reglages;
  m_afficheBulle = new QCheckBox(Q("Afficher les bulles d'aide"), page);
  m_afficheBulle->setObjectName("cbAfficheBulle");
  m_afficheBulle->setChecked(r.Bool(kSectionGene, "AfficheBulle"));
  // Tips the user asked not to see again come back from here.
  m_conseils = new QCheckBox(Q("Afficher de nouveau les conseils masqués"_ansi), page);
  m_conseils->setObjectName("cbConseils");
  bool masques = false;
  for (int k = 1; k <= 100 && !masques; ++k) masques = !r.AstuceVisible(k);
  m_conseils->setEnabled(masques);
  m_avApMenu = Spin("seAvApMenu", 1, 99, page);
  m_avApMenu->setValue(r.Entier(kSectionOptions, "AvApMenu"));
  m_generation = Spin("seGeneration", 10, 60, page);
  m_generation->setValue(r.Entier(kSectionOptions, "Generation"));
  m_annulationMo = Spin("seAnnulationMo", 1, 4096, page);
  m_annulationMo->setValue(r.Entier(kSectionOptions, "AnnulationMo"));

  auto* f = new QFormLayout;
  f->addRow(Etiquette("lAvApMenu", "Nombre de personnes des menus Précédente et Suivante"_ansi,
                      page),
            m_avApMenu);
  f->addRow(Etiquette("lGeneration", "Nombre d'années par génération"_ansi, page),
            m_generation);
  f->addRow(Etiquette("lAnnulationMo", "Mémoire des annulations (Mo)"_ansi, page), m_annulationMo);
  auto* v = new QVBoxLayout(page);
  v->addWidget(m_afficheBulle);
  v->addWidget(m_conseils);
  v->addLayout(f);
  v->addStretch(1);
  return page;
}

QWidget* TfmOptions::PageNumerotation() {
  auto* page = new QWidget;
  page->setObjectName("tsNumerotation");
  const TReglages& r = m_app.reglages;
  m_numerote = new QCheckBox(
      Q("Numérotation Sosa et d'Aboville automatique au changement"_ansi), page);
  m_numerote->setObjectName("cbNumerote");
  m_numerote->setChecked(r.Bool(kSectionOptions, kCleNumerote));
  m_numeroteGen = Spin("seNumeroteGen", 0, 999, page);
  m_numeroteGen->setValue(r.Entier(kSectionOptions, kCleNumeroteGen));
  m_numeroteConjoint = new QCheckBox(Q("Numéroter les conjoints"_ansi), page);
  m_numeroteConjoint->setObjectName("cbNumeroteConjoint");
  m_numeroteConjoint->setChecked(r.Bool(kSectionOptions, kCleNumeroteConjoint));
  m_numeroteFamille = new QCheckBox(Q("Numérotation par famille"_ansi), page);
  m_numeroteFamille->setObjectName("cbNumeroteFamille");
  m_numeroteFamille->setChecked(r.Bool(kSectionOptions, kCleNumeroteFamille));

  // The other settings only matter while the automatic numbering is on.
  auto* details = new QWidget(page);
  auto* f = new QFormLayout(details);
  f->setContentsMargins(20, 0, 0, 0);
  f->addRow(Etiquette("lNumeroteGen", "Nombre de générations d'ascendants"_ansi, details),
            m_numeroteGen);
  f->addRow(m_numeroteConjoint);
  f->addRow(m_numeroteFamille);
  details->setEnabled(m_numerote->isChecked());
  connect(m_numerote, &QCheckBox::toggled, details, &QWidget::setEnabled);

  auto* v = new QVBoxLayout(page);
  v->addWidget(m_numerote);
  v->addWidget(details);
  v->addStretch(1);
  return page;
}

QWidget* TfmOptions::PageCoherence() {
  auto* page = new QWidget;
  page->setObjectName("tsCoherence");
  auto* ages = new QGroupBox(Q("Contrôle de cohérence des dates"_ansi), page);
  ages->setObjectName("gbCoherence");
  m_ageMarMin = SpinSeuil("seAgeMarMin", ages);
  m_ageMarMax = SpinSeuil("seAgeMarMax", ages);
  m_ageEnfMin = SpinSeuil("seAgeEnfMin", ages);
  m_ageEnfMax = SpinSeuil("seAgeEnfMax", ages);
  m_ageDecesMax = SpinSeuil("seAgeDecesMax", ages);
  m_ecartConjMax = SpinSeuil("seEcartConjMax", ages);
  SeuilsCoherence s = SeuilsDepuisReglages(m_app.reglages);
  m_ageMarMin->setValue(s.ageMarMin);
  m_ageMarMax->setValue(s.ageMarMax);
  m_ageEnfMin->setValue(s.ageEnfMin);
  m_ageEnfMax->setValue(s.ageEnfMax);
  m_ageDecesMax->setValue(s.ageDecesMax);
  m_ecartConjMax->setValue(s.ecartConjMax);

  auto* g = new QGridLayout(ages);
  g->addWidget(Etiquette("lMinimum", "Minimum", ages), 0, 1);
  g->addWidget(Etiquette("lMaximum", "Maximum", ages), 0, 2);
  g->addWidget(Etiquette("lAgeMar", "Age au mariage", ages), 1, 0);
  g->addWidget(m_ageMarMin, 1, 1);
  g->addWidget(m_ageMarMax, 1, 2);
  g->addWidget(Etiquette("lAgeEnf", "Age à la naissance d'un enfant"_ansi, ages), 2, 0);
  g->addWidget(m_ageEnfMin, 2, 1);
  g->addWidget(m_ageEnfMax, 2, 2);
  g->addWidget(Etiquette("lAgeDeces", "Age au décès"_ansi, ages), 3, 0);
  g->addWidget(m_ageDecesMax, 3, 2);
  g->addWidget(Etiquette("lEcartConj", "Ecart d'âge entre conjoints"_ansi, ages), 4, 0);
  g->addWidget(m_ecartConjMax, 4, 2);
  auto* defaut = Bouton("btDefautCoherence", "&Défaut"_ansi, ages);
  connect(defaut, &QPushButton::clicked, this, &TfmOptions::SeuilsParDefaut);
  g->addWidget(defaut, 5, 2);
  g->setColumnStretch(0, 1);

  m_verifie = Bouton("btVerifieBase", "Vérifier la base de donnée"_ansi, page);
  m_verifie->setEnabled(m_app.bd != nullptr);
  connect(m_verifie, &QPushButton::clicked, this, &TfmOptions::VerifieBase);
  m_rapport = new QPlainTextEdit(page);
  m_rapport->setObjectName("mVerifie");
  m_rapport->setReadOnly(true);

  auto* ligne = new QHBoxLayout;
  ligne->addWidget(m_verifie);
  ligne->addStretch(1);
  auto* v = new QVBoxLayout(page);
  v->addWidget(ages);
  v->addLayout(ligne);
  v->addWidget(m_rapport, 1);
  return page;
}

QStringList TfmOptions::ChoixColonne0(SorteTable sorte) const {
  const TTraduction& t = m_app.traduction;
  switch (sorte) {
    case SorteTable::Evenements: return {Q(t.Msg(707)), Q(t.Msg(708))};
    case SorteTable::Champs: return {Q(t.MsgCle("NON")), Q(t.MsgCle("OUI"))};
    case SorteTable::Sources: return {};
  }
  return {};
}

QWidget* TfmOptions::PageTable(SorteTable sorte) {
  const NomsTable& noms = Noms(sorte);
  auto* page = new QWidget;
  page->setObjectName(noms.page);
  auto* table = new QTableWidget(page);
  table->setObjectName(noms.grille);
  table->setColumnCount(NbreColonnes(sorte));
  table->setSelectionBehavior(QAbstractItemView::SelectRows);
  table->verticalHeader()->setVisible(false);
  table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 8);
  table->horizontalHeader()->setStretchLastSection(true);
  Grille& g = m_grilles[static_cast<int>(sorte)];
  g.table = table;
  g.delegue = new TDelegueGrille(ChoixColonne0(sorte), table);
  table->setItemDelegate(g.delegue);
  RempliGrille(sorte, m_app.tables.Grille(sorte));

  auto* ajoute = Bouton(noms.ajoute, "&Ajouter", page);
  auto* supprime = Bouton(noms.supprime, "&Supprimer", page);
  auto* defaut = Bouton(noms.defaut, "&Défaut"_ansi, page);
  connect(ajoute, &QPushButton::clicked, this, [this, sorte] { AjouteLigne(sorte); });
  connect(supprime, &QPushButton::clicked, this, [this, sorte] { SupprimeLignes(sorte); });
  connect(defaut, &QPushButton::clicked, this, [this, sorte] { TableParDefaut(sorte); });

  auto* boutons = new QHBoxLayout;
  boutons->addWidget(ajoute);
  boutons->addWidget(supprime);
  boutons->addStretch(1);
  boutons->addWidget(defaut);
  auto* v = new QVBoxLayout(page);
  v->addWidget(table, 1);
  v->addLayout(boutons);
  return page;
}

void TfmOptions::RempliGrille(SorteTable sorte, const GrilleTable& grille) {
  Grille& g = m_grilles[static_cast<int>(sorte)];
  g.delegue->ValideEdition();
  const int colonnes = NbreColonnes(sorte);
  g.titres = grille.empty() ? TitresParDefaut(sorte) : grille.front();
  g.titres.resize(colonnes);
  QStringList titres;
  for (const std::string& t : g.titres) titres << Q(t);
  g.table->setHorizontalHeaderLabels(titres);
  const int lignes = grille.empty() ? 0 : static_cast<int>(grille.size()) - 1;
  g.table->clearContents();
  g.table->setRowCount(lignes);
  for (int r = 0; r < lignes; ++r) {
    const LigneTable& ligne = grille[r + 1];
    for (int c = 0; c < colonnes; ++c) {
      std::string_view cellule = c < static_cast<int>(ligne.size()) ? ligne[c] : std::string_view{};
      g.table->setItem(r, c, new QTableWidgetItem(Q(cellule)));
    }
  }
  if (colonnes > 1) g.table->resizeColumnToContents(0);
  if (colonnes > 2) g.table->setColumnWidth(1, std::max(g.table->columnWidth(1), 220));
}

GrilleTable TfmOptions::GrilleAffichee(SorteTable sorte) const {
  const Grille& g = m_grilles[static_cast<int>(sorte)];
  const int colonnes = NbreColonnes(sorte);
  // Column 0 of a row added to the event or custom-field table starts at a
  // preset value, so only the other cells tell whether the user filled it.
  const int premiere = ChoixColonne0(sorte).isEmpty() ? 0 : 1;
  GrilleTable grille;
  grille.push_back(g.titres);
  for (int r = 0; r < g.table->rowCount(); ++r) {
    LigneTable ligne(colonnes);
    bool vide = true;
    for (int c = 0; c < colonnes; ++c) {
      if (const QTableWidgetItem* item = g.table->item(r, c))
        ligne[c] = Trim(DepuisQString(item->text()));
      if (c >= premiere && !ligne[c].empty()) vide = false;
    }
    // A row added and left blank is not worth keeping.
    if (!vide) grille.push_back(std::move(ligne));
  }
  return grille;
}

void TfmOptions::AffichePage(int page) {
  if (page < 0 || page >= m_pile->count()) page = kPageGenerale;
  m_pages->setCurrentRow(page);
  m_pile->setCurrentIndex(page);
}

int TfmOptions::PageCourante() const { return m_pile->currentIndex(); }

void TfmOptions::SeuilsParDefaut() {
  SeuilsCoherence s = SeuilsCoherence::Defaut();
  m_ageMarMin->setValue(s.ageMarMin);
  m_ageMarMax->setValue(s.ageMarMax);
  m_ageEnfMin->setValue(s.ageEnfMin);
  m_ageEnfMax->setValue(s.ageEnfMax);
  m_ageDecesMax->setValue(s.ageDecesMax);
  m_ecartConjMax->setValue(s.ecartConjMax);
}

void TfmOptions::TableParDefaut(SorteTable sorte) {
  if (BoiteMessage(Q(m_app.traduction.Msg(kMsgTableParDefaut)), kQuestion,
                   kBoutonOui | kBoutonNon, this) != kResultatOui)
    return;
  // Loaded aside: the run's tables change only on "&Fermer".
  TTablesTypes defaut;
  Statut s = defaut.ChargeDefaut(sorte, CheminsTables(m_app.dossiers), m_app.traduction);
  if (!s.ok()) {
    BoiteMessage(Q(s.message()).replace("\r\n", "\n"), kErreur, 0, this);
    return;
  }
  RempliGrille(sorte, defaut.Grille(sorte));
}

void TfmOptions::AjouteLigne(SorteTable sorte) {
  QTableWidget* table = m_grilles[static_cast<int>(sorte)].table;
  const int r = table->rowCount();
  table->insertRow(r);
  QStringList choix = ChoixColonne0(sorte);
  for (int c = 0; c < table->columnCount(); ++c)
    table->setItem(r, c, new QTableWidgetItem(c == 0 && !choix.isEmpty() ? choix.front() : QString()));
  const int nom = table->columnCount() > 1 ? 1 : 0;
  table->setCurrentCell(r, nom);
  table->scrollToItem(table->item(r, nom));
  if (table->isVisible()) table->editItem(table->item(r, nom));
}

void TfmOptions::SupprimeLignes(SorteTable sorte) {
  QTableWidget* table = m_grilles[static_cast<int>(sorte)].table;
  QList<int> lignes;
  for (const QModelIndex& i : table->selectionModel()->selectedRows()) lignes << i.row();
  if (lignes.isEmpty() && table->currentRow() >= 0) lignes << table->currentRow();
  std::sort(lignes.begin(), lignes.end(), std::greater<int>());
  for (int r : lignes) table->removeRow(r);
}

void TfmOptions::VerifieBase() {
  if (!m_app.bd) return;
  auto confirme = [this](const std::string& question) {
    return BoiteMessage(Q(question), kQuestion, kBoutonOui | kBoutonNon, this) == kResultatOui;
  };
  std::string rapport = m_app.bd->VerifieBase(confirme);
  if (rapport.empty()) return;  // the user declined
  QString texte = Q(rapport);
  texte.replace("\r\n", "\n");
  m_rapport->setPlainText(texte);
}

void TfmOptions::Applique() {
  TReglages& r = m_app.reglages;
  r.SetBool(kSectionGene, "AfficheBulle", m_afficheBulle->isChecked());
  if (m_conseils->isChecked()) {
    const size_t n = r.Texte(kSectionGene, "VoirInfo").size();
    for (size_t k = 1; k <= n; ++k) r.SetAstuceVisible(static_cast<int>(k), true);
  }
  r.SetEntier(kSectionOptions, "AvApMenu", m_avApMenu->value());
  r.SetEntier(kSectionOptions, "Generation", m_generation->value());
  r.SetEntier(kSectionOptions, "AnnulationMo", m_annulationMo->value());
  if (m_app.bd) m_app.bd->Journal().FixeLimite(LimiteJournal(r));
  m_pageFiche->Applique(r);
  m_pageCalendrier->Applique(r);
  m_pageAnniversaires->Applique(r);
  m_pageSourcesWeb->Applique(r);

  r.SetBool(kSectionOptions, kCleNumerote, m_numerote->isChecked());
  r.SetEntier(kSectionOptions, kCleNumeroteGen, m_numeroteGen->value());
  r.SetBool(kSectionOptions, kCleNumeroteConjoint, m_numeroteConjoint->isChecked());
  r.SetBool(kSectionOptions, kCleNumeroteFamille, m_numeroteFamille->isChecked());

  SeuilsCoherence s;
  s.ageMarMin = m_ageMarMin->value();
  s.ageMarMax = m_ageMarMax->value();
  s.ageEnfMin = m_ageEnfMin->value();
  s.ageEnfMax = m_ageEnfMax->value();
  s.ageDecesMax = m_ageDecesMax->value();
  s.ecartConjMax = m_ecartConjMax->value();
  EcritSeuils(r, s);

  for (SorteTable sorte : {SorteTable::Evenements, SorteTable::Champs, SorteTable::Sources}) {
    // A cell still being edited holds the user's last word.
    m_grilles[static_cast<int>(sorte)].delegue->ValideEdition();
    m_app.tables.Grille(sorte) = GrilleAffichee(sorte);
    m_app.tables.NormaliseColonne0(sorte, m_app.traduction);
  }
}

void TfmOptions::Ferme() {
  Applique();
  accept();
}

void AfficheOptions(QWidget* parent, TApplication& app, int page) {
  TfmOptions fenetre(app, parent);
  fenetre.AffichePage(page);
  fenetre.exec();
}

}  // namespace kindrela

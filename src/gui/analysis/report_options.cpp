#include "gui/analysis/report_options.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QHideEvent>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/ansi_literal.h"
#include "core/file_io.h"
#include "core/ini_file.h"
#include "gui/analysis/report_window.h"
#include "gui/common/message_box.h"
#include "gui/common/qt_text.h"
#include "gui/i18n/translate_window.h"
#include "gui/main/application.h"

namespace kindrela {

namespace {

QString Q(std::string_view s) { return VersQString(s); }

template <typename W>
W* Nomme(W* w, const char* nom) {
  w->setObjectName(nom);
  return w;
}

}  // namespace

TfmRapportCritere::TfmRapportCritere(TApplication& app, TfmRapport& rapport, std::function<int()> selecPers,
                                     std::function<TR()> ecran, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint),
      m_app(app), m_rapport(rapport), m_selecPers(std::move(selecPers)), m_ecran(std::move(ecran)) {
  setObjectName("fmRapportCritere");
  // The main window's keyboard shortcuts act here too (F7 closes the report).
  setProperty("raccourcisPrincipaux", true);
  setWindowTitle(Q("Options du rapport"));
  auto* racine = new QVBoxLayout(this);
  m_pile = Nomme(new QStackedWidget(this), "pPanneaux");
  m_charge = true;
  m_pile->addWidget(PanneauCritere());
  m_pile->addWidget(PanneauColonnes());
  m_pile->addWidget(PanneauAvance());
  m_pile->addWidget(PanneauPredefinis());
  m_pile->addWidget(PanneauWeb());
  m_charge = false;
  racine->addWidget(m_pile, 1);
  auto* boutons = new QDialogButtonBox(this);
  auto* ok = Nomme(boutons->addButton("Ok", QDialogButtonBox::AcceptRole), "bOk");
  auto* fermer = Nomme(boutons->addButton("Fermer", QDialogButtonBox::RejectRole), "bFermer");
  connect(ok, &QPushButton::clicked, this, &TfmRapportCritere::Ok);
  connect(fermer, &QPushButton::clicked, this, &QDialog::hide);
  racine->addWidget(boutons);
  resize(460, 440);
  TraduitFenetre(this, app.traduction);
}

// ---------------------------------------------------------------------------
// The kinship selection

QWidget* TfmRapportCritere::PanneauCritere() {
  auto* p = Nomme(new QWidget(this), "pAff");
  auto* l = new QVBoxLayout(p);
  lPersonne = Nomme(new QLabel(p), "lPersonne");
  l->addWidget(lPersonne);
  lbAfficher = Nomme(new QListWidget(p), "lbAfficher");
  for (std::string_view e : kSelectionsParente) lbAfficher->addItem(Q(e));
  l->addWidget(lbAfficher, 1);
  auto* ligne = new QHBoxLayout;
  lGen = Nomme(new QLabel(Q("Génération / Degré"_ansi), p), "lGen");
  seGen = Nomme(new QSpinBox(p), "seGen");
  seGen->setRange(1, 99);
  seGen->setValue(1);
  ligne->addWidget(lGen);
  ligne->addWidget(seGen);
  ligne->addStretch();
  l->addLayout(ligne);
  cbTrie = Nomme(new QCheckBox(Q("Trier alphabétiquement le rapport"_ansi), p), "cbTrie");
  cbAppliquer = Nomme(new QCheckBox(Q("Appliquer à chaque modification"_ansi), p), "cbAppliquer");
  cbAppliquer->setChecked(true);
  l->addWidget(cbTrie);
  l->addWidget(cbAppliquer);
  auto change = [this] {
    VisibiliteCritere();
    if (!m_charge && cbAppliquer->isChecked()) ConstruitSelection();
  };
  connect(lbAfficher, &QListWidget::currentRowChanged, this, change);
  connect(seGen, &QSpinBox::valueChanged, this, change);
  connect(cbTrie, &QCheckBox::toggled, this, change);
  VisibiliteCritere();
  return p;
}

void TfmRapportCritere::VisibiliteCritere() {
  const bool gen = SelectionAvecGenerations(lbAfficher->currentRow());
  seGen->setVisible(gen);
  lGen->setVisible(gen);
}

void TfmRapportCritere::SetSelecPers(int n) {
  lPersonne->setText(Q(m_app.bd->NomCourt(n)));
}

bool TfmRapportCritere::ConstruitSelection() {
  if (m_rapport.Occupe()) return false;
  m_rapport.setWindowTitle(Q(m_app.traduction.Msg(570)));
  const TR ecran = m_ecran ? m_ecran() : TR(1);
  TSelection s = SelectionParente(*m_app.bd, lbAfficher->currentRow(), m_selecPers ? m_selecPers() : 0,
                                  seGen->value(), cbTrie->isChecked(), &ecran);
  return m_rapport.MontreListe(std::move(s.liste), s.titre);
}

// ---------------------------------------------------------------------------
// The column model

QWidget* TfmRapportCritere::PanneauColonnes() {
  auto* p = Nomme(new QWidget(this), "pCol");
  auto* l = new QVBoxLayout(p);
  auto* haut = new QHBoxLayout;
  CB_FileList = Nomme(new QComboBox(p), "CB_FileList");
  eFile = Nomme(new QLineEdit(p), "eFile");
  auto* sbSauve = Nomme(new QToolButton(p), "sbSauve");
  sbSauve->setText(Q("Enregistrer"));
  haut->addWidget(CB_FileList, 1);
  haut->addWidget(eFile, 1);
  haut->addWidget(sbSauve);
  l->addLayout(haut);
  sgCol = Nomme(new QTableWidget(0, 3, p), "sgCol");
  sgCol->setHorizontalHeaderLabels({Q(m_app.traduction.Msg(2201)), Q(m_app.traduction.Msg(2202)),
                                    Q(m_app.traduction.Msg(2203))});
  sgCol->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
  sgCol->setSelectionBehavior(QAbstractItemView::SelectRows);
  sgCol->setSelectionMode(QAbstractItemView::SingleSelection);
  sgCol->installEventFilter(this);
  l->addWidget(sgCol, 1);
  auto* boutons = new QHBoxLayout;
  auto bouton = [&](const char* nom, const QString& texte) {
    auto* b = Nomme(new QToolButton(p), nom);
    b->setText(texte);
    boutons->addWidget(b);
    return b;
  };
  auto* sbUp = bouton("sbUp", "\u2191");
  auto* sbDown = bouton("sbDown", "\u2193");
  auto* sbPlus = bouton("sbPlus", "+");
  auto* sbMoins = bouton("sbMoins", "-");
  auto* editeur = bouton("bEditeur", Q("&Editeur de contenu"));
  boutons->addStretch();
  l->addLayout(boutons);
  auto* bas = new QHBoxLayout;
  cbAppCol = Nomme(new QCheckBox(Q("Appliquer à chaque modification"_ansi), p), "cbAppCol");
  cbAppCol->setChecked(true);
  cobLigne = Nomme(new QComboBox(p), "cobLigne");
  cobLigne->addItems({"0", "1", "2"});
  cobLigne->setCurrentIndex(1);
  cobLigne->setToolTip(Q("0 : une seule couleur, 1 : une ligne sur deux, 2 : selon le sexe"));
  bas->addWidget(cbAppCol);
  bas->addStretch();
  bas->addWidget(new QLabel(Q("Mise en forme des lignes"), p));
  bas->addWidget(cobLigne);
  l->addLayout(bas);

  RemplitListeModeles(CB_FileList, ".kdr");
  connect(CB_FileList, &QComboBox::activated, this, [this](int i) {
    const std::string nom = DepuisQString(CB_FileList->itemText(i));
    m_rapport.ChargeModele(nom);
    eFile->setText(Q(nom));
    AfficheModele(m_rapport.Modele());
    ColonnesChangees();
  });
  connect(sbSauve, &QToolButton::clicked, this, [this] { SauveModele(DepuisQString(eFile->text())); });
  connect(sbUp, &QToolButton::clicked, this, [this] {
    TModeleColonnes m = ModeleAffiche();
    const int r = sgCol->currentRow();
    if (r <= 0 || r >= static_cast<int>(m.colonnes.size())) return;
    std::swap(m.colonnes[static_cast<size_t>(r)], m.colonnes[static_cast<size_t>(r - 1)]);
    AfficheModele(m);
    sgCol->selectRow(r - 1);
    ColonnesChangees();
  });
  connect(sbDown, &QToolButton::clicked, this, [this] {
    TModeleColonnes m = ModeleAffiche();
    const int r = sgCol->currentRow();
    if (r < 0 || r + 1 >= static_cast<int>(m.colonnes.size())) return;
    std::swap(m.colonnes[static_cast<size_t>(r)], m.colonnes[static_cast<size_t>(r + 1)]);
    AfficheModele(m);
    sgCol->selectRow(r + 1);
    ColonnesChangees();
  });
  connect(sbPlus, &QToolButton::clicked, this, [this] {
    TModeleColonnes m = ModeleAffiche();
    const int r = std::max(sgCol->currentRow(), 0);
    TColonneModele c;
    c.type = m_app.traduction.Msg(2205);
    m.colonnes.insert(m.colonnes.begin() + std::min<size_t>(static_cast<size_t>(r), m.colonnes.size()), c);
    AfficheModele(m);
    sgCol->selectRow(r);
    ColonnesChangees();
  });
  connect(sbMoins, &QToolButton::clicked, this, [this] {
    TModeleColonnes m = ModeleAffiche();
    const int r = sgCol->currentRow();
    if (m.colonnes.size() <= 1 || r < 0 || r >= static_cast<int>(m.colonnes.size())) return;
    m.colonnes.erase(m.colonnes.begin() + r);
    AfficheModele(m);
    sgCol->selectRow(std::min(r, static_cast<int>(m.colonnes.size()) - 1));
    ColonnesChangees();
  });
  connect(editeur, &QToolButton::clicked, this, [this] {
    const int r = sgCol->currentRow();
    if (r < 0) return;
    QString texte = sgCol->item(r, 1) ? sgCol->item(r, 1)->text() : QString();
    if (!EditeModele(texte)) return;
    sgCol->setItem(r, 1, new QTableWidgetItem(texte));
  });
  connect(sgCol, &QTableWidget::cellChanged, this, [this] {
    if (!m_charge) ColonnesChangees();
  });
  connect(cobLigne, &QComboBox::currentIndexChanged, this, [this](int i) { m_rapport.SetMiseEnForme(i); });
  return p;
}

void TfmRapportCritere::RemplitListeModeles(QComboBox* box, const char* extension) {
  const QString courant = box->currentText();
  box->clear();
  for (const std::string& n : ListeModeles(m_app.dossiers.rapportUtilisateur, m_app.dossiers.rapport, extension)) box->addItem(Q(n));
  box->setCurrentText(courant);
}

TModeleColonnes TfmRapportCritere::ModeleAffiche() const {
  TModeleColonnes m;
  const TModeleColonnes& actuel = m_rapport.Modele();
  for (int r = 0; r < sgCol->rowCount(); ++r) {
    TColonneModele c;
    auto texte = [&](int col) { return sgCol->item(r, col) ? DepuisQString(sgCol->item(r, col)->text()) : std::string(); };
    c.titre = texte(0);
    c.code = texte(1);
    c.type = texte(2);
    // Widths stay those of the model (or the grid's, once shown).
    if (r < static_cast<int>(actuel.colonnes.size())) c.largeur = actuel.colonnes[static_cast<size_t>(r)].largeur;
    if (r < m_app.rapport.grille.NbreColonnes() && m_app.rapport.grille.NbreColonnes() == sgCol->rowCount())
      c.largeur = m_rapport.Grille()->columnWidth(r);
    m.colonnes.push_back(std::move(c));
  }
  return m;
}

void TfmRapportCritere::AfficheModele(const TModeleColonnes& m) {
  const bool avant = m_charge;
  m_charge = true;
  sgCol->setRowCount(static_cast<int>(m.colonnes.size()));
  for (int r = 0; r < static_cast<int>(m.colonnes.size()); ++r) {
    const TColonneModele& c = m.colonnes[static_cast<size_t>(r)];
    sgCol->setItem(r, 0, new QTableWidgetItem(Q(c.titre)));
    sgCol->setItem(r, 1, new QTableWidgetItem(Q(c.code)));
    auto* type = new QTableWidgetItem(Q(c.type));
    type->setFlags(type->flags() & ~Qt::ItemIsEditable);
    sgCol->setItem(r, 2, type);
  }
  if (eFile->text().isEmpty()) eFile->setText(Q(m_rapport.NomModele()));
  m_charge = avant;
}

void TfmRapportCritere::ColonnesChangees() {
  if (m_charge) return;
  m_rapport.Modele() = ModeleAffiche();
  if (cbAppCol->isChecked()) AppliqueColonnes();
}

void TfmRapportCritere::AppliqueColonnes() {
  m_rapport.Modele() = ModeleAffiche();
  m_rapport.RemplitListe();
}

bool TfmRapportCritere::ConfirmeRemplacement(const std::string& chemin) {
  if (!FichierExiste(chemin)) return true;
  return BoiteMessage(Q("Ce modèle existe déjà. Etes-vous sur de vouloir le remplacer ?\r\nVous pouvez créer un nouveau "
                        "modèle en entrant un nom différent avant de cliquer sur enregistrer."_ansi),
                      kQuestion, kBoutonOui | kBoutonNon, this) == kResultatOui;
}

bool TfmRapportCritere::SauveModele(const std::string& nom, bool sansQuestion) {
  if (nom.empty()) return false;
  // Into the user's folder; the same name there hides the installed model.
  const std::string chemin = m_app.dossiers.rapportUtilisateur + nom + ".kdr";
  if (!sansQuestion &&
      !ConfirmeRemplacement(FichierUtilisateurOuInstalle(m_app.dossiers.rapportUtilisateur, m_app.dossiers.rapport,
                                                         nom + ".kdr")))
    return false;
  QDir().mkpath(Q(m_app.dossiers.rapportUtilisateur));
  FichierIni ini;
  ini.ChargeTexte("");
  m_rapport.Modele() = ModeleAffiche();
  EcritModeleColonnes(ini, m_rapport.Modele(), m_app.rapport.grille.NbreColonnes());
  if (Statut s = ini.EnregistreSous(chemin); !s.ok()) {
    BoiteMessage(Q(FormateMsg(m_app.traduction.MsgCle("rapport_ecriture"), {s.message()})), kErreur, 0, this);
    return false;
  }
  RemplitListeModeles(CB_FileList, ".kdr");
  return true;
}

bool TfmRapportCritere::EditeModele(QString& texte) {
  // The box template of the column, typed with its tags.
  bool ok = false;
  QString r = QInputDialog::getText(this, Q("Editeur de contenu"), Q("Contenu (balises entre < et >) :"),
                                    QLineEdit::Normal, texte, &ok);
  if (!ok) return false;
  texte = r;
  return true;
}

bool TfmRapportCritere::eventFilter(QObject* objet, QEvent* event) {
  // The type cell takes a word by its first letter.
  if (objet == sgCol && event->type() == QEvent::KeyPress && sgCol->currentColumn() == 2 &&
      sgCol->currentRow() >= 0) {
    auto* k = static_cast<QKeyEvent*>(event);
    const QString t = k->text().toLower();
    if (t.isEmpty() || k->key() == Qt::Key_Up || k->key() == Qt::Key_Down || k->key() == Qt::Key_Left ||
        k->key() == Qt::Key_Right || k->key() == Qt::Key_Tab)
      return QDialog::eventFilter(objet, event);
    int msg = t == "t" ? 2205 : t == "d" ? 2207 : t == "n" ? 2204 : 0;
    auto* type = new QTableWidgetItem(msg ? Q(m_app.traduction.Msg(msg)) : QString());
    type->setFlags(type->flags() & ~Qt::ItemIsEditable);
    sgCol->setItem(sgCol->currentRow(), 2, type);
    if (!msg)
      BoiteMessage(Q("Vous devez sélectionner:\r\n- Texte en appuyant sur \"t\"\r\n- Date en appuyant sur \"d\"\r\n"
                     "- Nombre en appuyant sur \"n\""_ansi),
                   kAttention, 0, this);
    return true;
  }
  return QDialog::eventFilter(objet, event);
}

// ---------------------------------------------------------------------------
// The advanced search

QWidget* TfmRapportCritere::PanneauAvance() {
  auto* p = Nomme(new QWidget(this), "pAvance");
  auto* l = new QVBoxLayout(p);
  auto* haut = new QHBoxLayout;
  CB_FileListP = Nomme(new QComboBox(p), "CB_FileListP");
  eFileP = Nomme(new QLineEdit(Q(m_app.traduction.Msg(2206)), p), "eFileP");
  auto* sbSauveP = Nomme(new QToolButton(p), "sbSauveP");
  sbSauveP->setText(Q("Enregistrer"));
  haut->addWidget(CB_FileListP, 1);
  haut->addWidget(eFileP, 1);
  haut->addWidget(sbSauveP);
  l->addLayout(haut);
  cbSource = Nomme(new QComboBox(p), "cbSource");
  cbSource->addItems({Q("Tout le monde"), Q("Individus dans le rapport")});
  l->addWidget(cbSource);
  auto* g = new QGridLayout;
  const char* noms[3][4] = {{"echp1", "sbAide1", "cbsign1", "ecomp1"},
                            {"echp2", "sbAide2", "cbsign2", "ecomp2"},
                            {"echp3", "sbAide3", "cbsign3", "ecomp3"}};
  for (int i = 0; i < 3; ++i) {
    echp[i] = Nomme(new QLineEdit(p), noms[i][0]);
    aide[i] = Nomme(new QToolButton(p), noms[i][1]);
    aide[i]->setText("?");
    cbsign[i] = Nomme(new QComboBox(p), noms[i][2]);
    for (std::string_view o : kOperateursRecherche) cbsign[i]->addItem(Q(o));
    cbsign[i]->setCurrentIndex(-1);
    ecomp[i] = Nomme(new QLineEdit(p), noms[i][3]);
    g->addWidget(echp[i], i * 2, 0);
    g->addWidget(aide[i], i * 2, 1);
    g->addWidget(cbsign[i], i * 2, 2);
    g->addWidget(ecomp[i], i * 2, 3);
    if (i < 2) {
      cbetou[i] = Nomme(new QComboBox(p), i == 0 ? "cbetou1" : "cbetou2");
      cbetou[i]->addItems({"", "ET", "OU"});
      g->addWidget(cbetou[i], i * 2 + 1, 0);
    }
    connect(aide[i], &QToolButton::clicked, this, [this, i] {
      QString t = echp[i]->text();
      if (EditeModele(t)) echp[i]->setText(t);
    });
    connect(echp[i], &QLineEdit::textChanged, this, &TfmRapportCritere::AvanceChange);
    connect(ecomp[i], &QLineEdit::textChanged, this, &TfmRapportCritere::AvanceChange);
    connect(cbsign[i], &QComboBox::currentIndexChanged, this, &TfmRapportCritere::AvanceChange);
    if (i < 2) connect(cbetou[i], &QComboBox::currentIndexChanged, this, &TfmRapportCritere::AvanceChange);
  }
  l->addLayout(g);
  auto* titre = new QFormLayout;
  eTitre = Nomme(new QLineEdit(Q("Rapport personnalisé"_ansi), p), "eTitre");
  titre->addRow(Q("Titre du rapport"), eTitre);
  l->addLayout(titre);
  cbAppAvance = Nomme(new QCheckBox(Q("Appliquer à chaque modification"_ansi), p), "cbAppAvance");
  cbAppAvance->setChecked(true);
  l->addWidget(cbAppAvance);
  // Hidden: whether the column model travels with the search file.
  cbTrtCol = Nomme(new QCheckBox(p), "cbTrtCol");
  cbTrtCol->setChecked(true);
  cbTrtCol->hide();
  l->addStretch();
  RemplitListeModeles(CB_FileListP, ".kdp");
  connect(CB_FileListP, &QComboBox::activated, this,
          [this](int i) { ChargeRecherche(DepuisQString(CB_FileListP->itemText(i))); });
  connect(sbSauveP, &QToolButton::clicked, this, [this] { SauveRecherche(DepuisQString(eFileP->text())); });
  connect(cbSource, &QComboBox::currentIndexChanged, this, &TfmRapportCritere::AvanceChange);
  VisibiliteAvance();
  return p;
}

void TfmRapportCritere::VisibiliteAvance() {
  const bool c1 = !echp[0]->text().isEmpty() && cbsign[0]->currentIndex() >= 0;
  auto montre = [](QWidget* w, bool v) { w->setVisible(v); };
  montre(cbetou[0], c1);
  if (!c1) cbetou[0]->setCurrentIndex(0);
  const bool c2 = cbetou[0]->currentIndex() > 0;
  for (QWidget* w : {static_cast<QWidget*>(echp[1]), static_cast<QWidget*>(aide[1]),
                     static_cast<QWidget*>(cbsign[1]), static_cast<QWidget*>(ecomp[1])})
    montre(w, c2);
  const bool e2 = c2 && !echp[1]->text().isEmpty();
  montre(cbetou[1], e2);
  if (!e2) cbetou[1]->setCurrentIndex(0);
  const bool c3 = cbetou[1]->currentIndex() > 0;
  for (QWidget* w : {static_cast<QWidget*>(echp[2]), static_cast<QWidget*>(aide[2]),
                     static_cast<QWidget*>(cbsign[2]), static_cast<QWidget*>(ecomp[2])})
    montre(w, c3);
}

void TfmRapportCritere::AvanceChange() {
  if (m_charge) return;
  m_charge = true;
  VisibiliteAvance();
  m_charge = false;
  const TRechercheAvancee r = RechercheAffichee();
  if (cbAppAvance->isChecked() && !RechercheSuspendue(r)) EvalueAvance();
}

TRechercheAvancee TfmRapportCritere::RechercheAffichee() const {
  TRechercheAvancee r;
  r.dansRapport = cbSource->currentIndex() == 1;
  r.titre = DepuisQString(eTitre->text());
  for (int i = 0; i < 3; ++i) {
    TCondition& c = r.conditions[static_cast<size_t>(i)];
    c.code = DepuisQString(echp[i]->text());
    c.test = cbsign[i]->currentIndex();
    c.valeur = DepuisQString(ecomp[i]->text());
  }
  for (int i = 0; i < 2; ++i) {
    const int k = cbetou[i]->currentIndex();
    r.etOu[static_cast<size_t>(i)] = k == 1 ? EtOu::Et : k == 2 ? EtOu::Ou : EtOu::Aucun;
  }
  return r;
}

void TfmRapportCritere::AfficheRecherche(const TRechercheAvancee& r) {
  const bool avant = m_charge;
  m_charge = true;
  cbSource->setCurrentIndex(r.dansRapport ? 1 : 0);
  eTitre->setText(Q(r.titre));
  for (int i = 0; i < 3; ++i) {
    const TCondition& c = r.conditions[static_cast<size_t>(i)];
    echp[i]->setText(Q(c.code));
    cbsign[i]->setCurrentIndex(c.test);
    ecomp[i]->setText(Q(c.valeur));
  }
  for (int i = 0; i < 2; ++i) {
    const EtOu e = r.etOu[static_cast<size_t>(i)];
    cbetou[i]->setCurrentIndex(e == EtOu::Et ? 1 : e == EtOu::Ou ? 2 : 0);
  }
  m_charge = avant;
  VisibiliteAvance();
}

bool TfmRapportCritere::EvalueAvance() {
  const TRechercheAvancee r = RechercheAffichee();
  TContexteModele ctx{*m_app.bd, m_app.mots, m_app.ini.formatDate, &m_app.fetes, &m_app.traduction};
  TR resultat;
  if (m_rapport.Occupe() || !EvalueRecherche(ctx, r, m_app.rapport.Liste(), resultat)) return false;
  return m_rapport.MontreListe(std::move(resultat), r.titre);
}

bool TfmRapportCritere::SauveRecherche(const std::string& nom, bool sansQuestion) {
  if (nom.empty()) return false;
  const std::string chemin = m_app.dossiers.rapportUtilisateur + nom + ".kdp";
  if (!sansQuestion &&
      !ConfirmeRemplacement(FichierUtilisateurOuInstalle(m_app.dossiers.rapportUtilisateur, m_app.dossiers.rapport,
                                                         nom + ".kdp")))
    return false;
  QDir().mkpath(Q(m_app.dossiers.rapportUtilisateur));
  FichierIni ini;
  ini.ChargeTexte("");
  if (cbTrtCol->isChecked()) EcritModeleColonnes(ini, m_rapport.Modele(), m_app.rapport.grille.NbreColonnes());
  EcritRecherche(ini, RechercheAffichee());
  cbTrtCol->setChecked(true);
  if (Statut s = ini.EnregistreSous(chemin); !s.ok()) {
    BoiteMessage(Q(FormateMsg(m_app.traduction.MsgCle("rapport_ecriture"), {s.message()})), kErreur, 0, this);
    return false;
  }
  RemplitListeModeles(CB_FileListP, ".kdp");
  return true;
}

bool TfmRapportCritere::ChargeRecherche(const std::string& nom) {
  FichierIni ini(FichierUtilisateurOuInstalle(m_app.dossiers.rapportUtilisateur, m_app.dossiers.rapport, nom + ".kdp"));
  if (!ini.FichierLu()) return false;
  eFileP->setText(Q(nom));
  if (cbTrtCol->isChecked() && ini.CleExiste("Colonne", "Nbre")) {
    LitModeleColonnes(ini, m_rapport.Modele(), m_app.traduction.Msg(2005));
    AfficheModele(m_rapport.Modele());
  }
  cbTrtCol->setChecked(true);
  TRechercheAvancee r;
  LitRecherche(ini, r);
  AfficheRecherche(r);
  if (cbAppAvance->isChecked()) EvalueAvance();
  return true;
}

// ---------------------------------------------------------------------------
// The predefined reports

QWidget* TfmRapportCritere::PanneauPredefinis() {
  auto* p = Nomme(new QWidget(this), "pDef");
  auto* l = new QVBoxLayout(p);
  lbDef = Nomme(new QListWidget(p), "lbDef");
  for (std::string_view e : kRapportsPredefinis) lbDef->addItem(Q(e));
  l->addWidget(lbDef, 1);
  pCons = new QWidget(p);
  auto* lc = new QHBoxLayout(pCons);
  lc->setContentsMargins(0, 0, 0, 0);
  seCons = Nomme(new QSpinBox(pCons), "seCons");
  seCons->setRange(1, 999);
  seCons->setValue(10);
  lc->addWidget(new QLabel(Q("Nombre de générations"_ansi), pCons));
  lc->addWidget(seCons);
  lc->addStretch();
  l->addWidget(pCons);
  pLieux = new QWidget(p);
  auto* ll = new QHBoxLayout(pLieux);
  ll->setContentsMargins(0, 0, 0, 0);
  cbLieux = Nomme(new QComboBox(pLieux), "cbLieux");
  for (std::string_view f : kFormatsLieu) cbLieux->addItem(Q(f));
  ll->addWidget(new QLabel(Q("Lieux"), pLieux));
  ll->addWidget(cbLieux, 1);
  l->addWidget(pLieux);
  pEclair = new QWidget(p);
  auto* le = new QHBoxLayout(pEclair);
  le->setContentsMargins(0, 0, 0, 0);
  rbEclair1 = Nomme(new QRadioButton(Q("Tous les lieux"), pEclair), "rbEclair1");
  rbEclair2 = Nomme(new QRadioButton(Q("Lieu commençant par:"_ansi), pEclair), "rbEclair2");
  rbEclair1->setChecked(true);
  eEclair = Nomme(new QLineEdit("FRA,IDF,F75", pEclair), "eEclair");
  le->addWidget(rbEclair1);
  le->addWidget(rbEclair2);
  le->addWidget(eEclair, 1);
  l->addWidget(pEclair);
  pZodiaque = new QWidget(p);
  auto* lz = new QHBoxLayout(pZodiaque);
  lz->setContentsMargins(0, 0, 0, 0);
  cbZodiaque = Nomme(new QComboBox(pZodiaque), "cbZodiaque");
  // The signs in the order of the year, as the translation names them.
  for (int k = 0; k < 12; ++k) {
    std::string signe = m_app.traduction.MsgCle("fmRapportCritere.cbZodiaque.C " + std::to_string(k));
    cbZodiaque->addItem(Q(signe));
  }
  cbZodiaque->setCurrentIndex(3);
  lz->addWidget(new QLabel(Q("Signe"), pZodiaque));
  lz->addWidget(cbZodiaque, 1);
  l->addWidget(pZodiaque);
  cbAppDef = Nomme(new QCheckBox(Q("Appliquer à chaque modification"_ansi), p), "cbAppDef");
  cbAppDef->setChecked(true);
  l->addWidget(cbAppDef);
  connect(lbDef, &QListWidget::itemClicked, this, [this] {
    VisibilitePredefini();
    if (cbAppDef->isChecked()) LancePredefini();
  });
  connect(lbDef, &QListWidget::currentRowChanged, this, &TfmRapportCritere::VisibilitePredefini);
  VisibilitePredefini();
  return p;
}

void TfmRapportCritere::VisibilitePredefini() {
  const int n = lbDef->currentRow();
  pCons->setVisible(PredefiniAvecGenerations(n));
  pLieux->setVisible(PredefiniAvecFormatLieu(n));
  pEclair->setVisible(PredefiniAvecPrefixe(n));
  pZodiaque->setVisible(PredefiniAvecSigne(n));
}

TOptionsPredefini TfmRapportCritere::OptionsPredefini() const {
  TOptionsPredefini o;
  o.generations = seCons->value();
  o.formatLieu = cbLieux->currentIndex();
  o.tousLesLieux = rbEclair1->isChecked();
  o.prefixe = DepuisQString(eEclair->text());
  o.signe = DepuisQString(cbZodiaque->currentText());
  return o;
}

bool TfmRapportCritere::LancePredefini() {
  const int n = lbDef->currentRow();
  if (n < 0) return false;
  return m_rapport.LancePredefini(n, OptionsPredefini());
}

// ---------------------------------------------------------------------------
// The web reports

QWidget* TfmRapportCritere::PanneauWeb() {
  auto* p = Nomme(new QWidget(this), "pWeb");
  auto* l = new QVBoxLayout(p);
  lbWeb = Nomme(new QListWidget(p), "lbWeb");
  lbWeb->addItems({Q("L'ascendance par générations"_ansi), Q("L'ascendance par génération avec les absents"_ansi),
                   Q("Les ascendants manquant")});
  lbWeb->setCurrentRow(0);
  l->addWidget(lbWeb, 1);
  auto* f = new QFormLayout;
  seWebGen = Nomme(new QSpinBox(p), "seWebGen");
  seWebGen->setRange(1, 99);
  seWebGen->setValue(5);
  f->addRow(Q("Générations"_ansi), seWebGen);
  l->addLayout(f);
  cbWebFratrie = Nomme(new QCheckBox(Q("Afficher la fratrie"), p), "cbWebFratrie");
  cbWebConjoints = Nomme(new QCheckBox(Q("Afficher les autres conjoints"), p), "cbWebConjoints");
  cbWebComp = Nomme(new QCheckBox(Q("Complément d'information"), p), "cbWebComp");
  l->addWidget(cbWebFratrie);
  l->addWidget(cbWebConjoints);
  l->addWidget(cbWebComp);
  auto* comp = new QHBoxLayout;
  eWebComp = Nomme(new QLineEdit(Q("(<eve:Naissance,Année>-<eve:Décès,Année>)"_ansi), p), "eWebComp");
  auto* aideComp = Nomme(new QToolButton(p), "sbWebComp");
  aideComp->setText("?");
  comp->addWidget(eWebComp, 1);
  comp->addWidget(aideComp);
  l->addLayout(comp);
  auto* afficher = Nomme(new QPushButton(Q("Afficher"), p), "bWebAfficher");
  l->addWidget(afficher);
  connect(aideComp, &QToolButton::clicked, this, [this] {
    QString t = eWebComp->text();
    if (EditeModele(t)) eWebComp->setText(t);
  });
  connect(afficher, &QPushButton::clicked, this, [this] {
    if (m_ascendance) m_ascendance(OptionsAscendance());
  });
  return p;
}

TOptionsAscendance TfmRapportCritere::OptionsAscendance() const {
  TOptionsAscendance o;
  o.generations = seWebGen->value();
  o.mode = static_cast<ModeAscendance>(std::clamp(lbWeb->currentRow(), 0, 2));
  o.fratrie = cbWebFratrie->isChecked();
  o.conjoints = cbWebConjoints->isChecked();
  if (cbWebComp->isChecked()) {
    const std::string modele = DepuisQString(eWebComp->text());
    TApplication& app = m_app;
    o.complement = [&app, modele](int r) {
      TContexteModele ctx{*app.bd, app.mots, app.ini.formatDate, &app.fetes, &app.traduction};
      return ExpandTemplate(ctx, r, modele);
    };
  }
  return o;
}

// ---------------------------------------------------------------------------

void TfmRapportCritere::MontrePanneau(Panneau p) {
  m_pile->setCurrentIndex(p);
  if (p == kColonnes) {
    RemplitListeModeles(CB_FileList, ".kdr");
    if (m_rapport.NomModele().empty()) m_rapport.ChargeModele({});
    eFile->setText(Q(m_rapport.NomModele()));
    AfficheModele(m_rapport.Modele());
  }
  if (p == kAvance) RemplitListeModeles(CB_FileListP, ".kdp");
  if (m_selecPers) SetSelecPers(m_selecPers());
  show();
  raise();
}

TfmRapportCritere::Panneau TfmRapportCritere::PanneauCourant() const {
  return static_cast<Panneau>(m_pile->currentIndex());
}

void TfmRapportCritere::Ok() {
  switch (PanneauCourant()) {
    case kCritere: ConstruitSelection(); break;
    case kColonnes: AppliqueColonnes(); break;
    case kAvance: EvalueAvance(); break;
    case kPredefinis: LancePredefini(); break;
    case kWeb: return;
  }
  hide();
}

void TfmRapportCritere::hideEvent(QHideEvent* event) {
  QDialog::hideEvent(event);
  if (!event->spontaneous()) emit Cache();
}

}  // namespace kindrela

#include "gui/editing/person_search.h"

#include <QAbstractListModel>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QProgressBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "core/ansi_literal.h"
#include "core/database.h"
#include "gui/common/qt_text.h"
#include "gui/common/radio_group.h"
#include "gui/i18n/translate_window.h"
#include "gui/main/application.h"

namespace kindrela {

// A list whose lines are made when the view paints them: a keystroke costs
// the filtering, not the text of every line.
class TModeleLignesRecherche : public QAbstractListModel {
 public:
  using Ligne = std::function<std::string(int)>;
  TModeleLignesRecherche(std::function<int()> nbre, Ligne ligne, QObject* parent)
      : QAbstractListModel(parent), m_nbre(std::move(nbre)), m_ligne(std::move(ligne)) {}
  int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : m_nbre(); }
  QVariant data(const QModelIndex& index, int role) const override {
    if (role != Qt::DisplayRole || !index.isValid()) return {};
    return VersQString(m_ligne(index.row()));
  }
  void Recharge() {
    beginResetModel();
    endResetModel();
  }

 private:
  std::function<int()> m_nbre;
  Ligne m_ligne;
};

namespace {

QString Q(std::string_view ansi) { return VersQString(ansi); }

constexpr int kFormeUnique = 0, kFormeNomPrenom = 1;

QListView* Vue(const char* nom, QAbstractItemModel* modele, QWidget* parent) {
  auto* v = new QListView(parent);
  v->setObjectName(nom);
  v->setModel(modele);
  // Every line has the same height: the view needs no pass over 100 000 lines.
  v->setUniformItemSizes(true);
  v->setSelectionMode(QAbstractItemView::SingleSelection);
  v->setEditTriggers(QAbstractItemView::NoEditTriggers);
  return v;
}

void Selectionne(QListView* v, int ligne) {
  if (ligne < 0) {
    v->clearSelection();
    return;
  }
  const QModelIndex i = v->model()->index(ligne, 0);
  v->setCurrentIndex(i);
  v->scrollTo(i);
}

}  // namespace

TfmRechFiche::TfmRechFiche(TApplication& app, Navigation navigation, QWidget* parent)
    : QDialog(parent),
      m_app(app),
      m_navigation(std::move(navigation)),
      m_etat(std::make_unique<TRechercheFiche>(*app.bd, app.ini.formatDate)) {
  setObjectName("fmRechFiche");
  setWindowTitle(Q("Recherche d'une fiche"));
  TRechercheFiche& e = *m_etat;

  eCommence = new QLineEdit(this);
  eCommence->setObjectName("eCommence");
  RG_Forme = new TRadioGroup(this);
  RG_Forme->setObjectName("RG_Forme");
  RG_Forme->setTitle(Q("Recherche de la personne sous forme"));
  RG_Forme->setItems({Q("Liste unique"), Q("Nom et prénom"_ansi)});
  RG_Forme->setItemIndex(kFormeNomPrenom);
  cbTous = new QCheckBox(Q("Ne pas tenir compte des restrictions sur la date de naissance"), this);
  cbTous->setObjectName("cbTous");
  cbRefresh = new QCheckBox(Q("Actualiser les listes à chaque recherche"_ansi), this);
  cbRefresh->setObjectName("cbRefresh");
  cbRefresh->setChecked(true);
  cbSelec = new QCheckBox(Q("Afficher la fiche de la personne choisie"), this);
  cbSelec->setObjectName("cbSelec");
  cbSelec->setVisible(static_cast<bool>(m_navigation.selectionne));

  m_noms = new TModeleLignesRecherche([&e] { return static_cast<int>(e.Noms().size()); },
                                      [&e](int k) { return e.Noms()[static_cast<size_t>(k)]; }, this);
  m_pre = new TModeleLignesRecherche([&e] { return static_cast<int>(e.Personnes().size()); },
                                     [&e](int k) { return e.Ligne(k); }, this);

  m_groupe = new QGroupBox(this);
  m_groupe->setObjectName("gbListe");
  m_formes = new QStackedWidget(m_groupe);
  LB_NomPre = Vue("LB_NomPre", m_pre, m_formes);
  auto* double_ = new QWidget(m_formes);
  lNom = new QLabel(double_);
  lNom->setObjectName("lNom");
  LB_Nom = Vue("LB_Nom", m_noms, double_);
  LB_Pre = Vue("LB_Pre", m_pre, double_);
  auto* colonneNom = new QVBoxLayout;
  colonneNom->addWidget(lNom);
  colonneNom->addWidget(LB_Nom, 1);
  auto* h = new QHBoxLayout(double_);
  h->setContentsMargins(0, 0, 0, 0);
  h->addLayout(colonneNom, 2);
  h->addWidget(LB_Pre, 3);
  m_formes->addWidget(LB_NomPre);
  m_formes->addWidget(double_);
  auto* vg = new QVBoxLayout(m_groupe);
  vg->addWidget(m_formes);
  lNom->setBuddy(LB_Nom);

  m_barre = new QProgressBar(this);
  m_barre->setObjectName("ProgressBar");
  m_barre->hide();
  bOk = new QPushButton("OK", this);
  bOk->setObjectName("bOk");
  bOk->setDefault(true);
  auto* bAnnuler = new QPushButton("Annuler", this);
  bAnnuler->setObjectName("bAnnuler");

  auto* haut = new QHBoxLayout;
  auto* lCommence = new QLabel(Q("Le nom commence par :"), this);
  lCommence->setObjectName("lCommence");
  lCommence->setBuddy(eCommence);
  haut->addWidget(lCommence);
  haut->addWidget(eCommence, 1);
  auto* boutons = new QHBoxLayout;
  boutons->addWidget(m_barre, 1);
  boutons->addStretch();
  boutons->addWidget(bOk);
  boutons->addWidget(bAnnuler);
  auto* c = new QVBoxLayout(this);
  c->addLayout(haut);
  c->addWidget(RG_Forme);
  c->addWidget(m_groupe, 1);
  c->addWidget(cbTous);
  c->addWidget(cbRefresh);
  c->addWidget(cbSelec);
  c->addLayout(boutons);
  resize(520, 480);

  connect(eCommence, &QLineEdit::textEdited, this, [this](const QString& t) {
    // Typed in capitals, as surnames are written.
    const QString maj = t.toUpper();
    if (maj != t) {
      const int curseur = eCommence->cursorPosition();
      eCommence->setText(maj);
      eCommence->setCursorPosition(curseur);
    }
    ChangePrefixe(maj);
  });
  connect(RG_Forme, &TRadioGroup::itemIndexChanged, this, [this](int n) {
    if (m_ecrit) return;
    m_etat->SetForme(n == kFormeUnique ? FormeListe::Unique : FormeListe::NomPrenom);
    MontreListes();
  });
  connect(cbTous, &QCheckBox::toggled, this, [this](bool tous) {
    if (m_ecrit) return;
    m_etat->SetTous(tous);
    MontreListes();
  });
  connect(cbRefresh, &QCheckBox::toggled, this, [this] {
    if (!m_ecrit) Construit(false);
  });
  connect(cbSelec, &QCheckBox::toggled, this, [this](bool actif) { Navigue(actif); });
  connect(LB_Nom->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& i) { ChoixNom(i.row()); });
  for (QListView* v : {LB_Pre, LB_NomPre}) {
    connect(v->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& i) { ChoixPersonne(i.row()); });
    connect(v, &QListView::doubleClicked, this, [this] {
      if (m_etat->OkPermis()) accept();
    });
  }
  connect(bOk, &QPushButton::clicked, this, &QDialog::accept);
  connect(bAnnuler, &QPushButton::clicked, this, &QDialog::reject);
  TraduitFenetre(this, app.traduction);
}

TfmRechFiche::~TfmRechFiche() = default;

int TfmRechFiche::Recherche(ModeRecherche mode, int a, int depart) {
  const TReglages& r = m_app.reglages;
  OptionsRecherche options{r.Entier(kSectionOptions, "AgeEnfMin"), r.Entier(kSectionOptions, "AgeEnfMax"),
                           r.Entier(kSectionOptions, "EcartConjMax")};
  m_selectionDepart = m_navigation.selection ? m_navigation.selection() : depart;
  m_ongletDepart = m_navigation.onglet ? m_navigation.onglet() : 0;
  m_candidatMontre = 0;
  m_navigue = false;
  m_etat->Commence(mode, a, depart, options);
  const TextesRecherche textes = TextesDeRecherche(*m_app.bd, m_app.traduction, mode, a, m_etat->Annees());
  setWindowTitle(Q(textes.titre));
  m_groupe->setTitle(Q(textes.groupe));
  cbTous->setVisible(textes.avecDates);
  Ouvre();
  const int resultat = exec();
  const int candidat = m_etat->Candidat();
  // OK and Annuler both put the selection and the record's tab back; the caller acts.
  Restaure();
  return resultat == QDialog::Accepted && m_etat->OkPermis() && m_app.bd->FicheUtilisee(candidat) ? candidat : 0;
}

void TfmRechFiche::Ouvre() {
  m_ecrit = true;
  m_etat->SetTous(cbTous->isVisible() && cbTous->isChecked());
  m_ecrit = false;
  Construit(false);
  eCommence->setFocus();
  eCommence->selectAll();
}

void TfmRechFiche::Construit(bool force) {
  TRechercheFiche& e = *m_etat;
  if (force || e.DoitReconstruire(cbRefresh->isChecked())) {
    m_barre->setValue(0);
    m_barre->show();
    const bool fait = e.Reconstruit([this](long long fait, long long total) {
      m_barre->setMaximum(static_cast<int>(std::max<long long>(total, 1)));
      m_barre->setValue(static_cast<int>(fait));
      return true;
    });
    m_barre->hide();
    const int candidat = e.Candidat();
    if (fait) e.SetPrefixe(DepuisQString(eCommence->text()));
    e.MontreCandidat(candidat);
  } else {
    e.MontreCandidat(e.Candidat());
  }
  MontreListes();
}

void TfmRechFiche::MontreListes() {
  const TRechercheFiche& e = *m_etat;
  m_ecrit = true;
  RG_Forme->setItemIndex(e.Forme() == FormeListe::Unique ? kFormeUnique : kFormeNomPrenom);
  m_formes->setCurrentIndex(e.Forme() == FormeListe::Unique ? 0 : 1);
  m_noms->Recharge();
  m_pre->Recharge();
  lNom->setText(Q(e.LibelleNoms(m_app.traduction)));
  if (e.Forme() == FormeListe::NomPrenom) {
    Selectionne(LB_Nom, e.NomChoisi());
    Selectionne(LB_Pre, e.LigneChoisie());
  } else {
    Selectionne(LB_NomPre, e.LigneChoisie());
  }
  m_ecrit = false;
  CandidatChange();
  MetAJourOk();
}

void TfmRechFiche::ChangePrefixe(const QString& texte) {
  m_etat->SetPrefixe(DepuisQString(texte));
  MontreListes();
}

void TfmRechFiche::ChoixNom(int ligne) {
  if (m_ecrit || ligne < 0) return;
  m_etat->ChoisitNom(ligne);
  m_ecrit = true;
  m_pre->Recharge();
  Selectionne(LB_Pre, m_etat->LigneChoisie());
  m_ecrit = false;
  CandidatChange();
  MetAJourOk();
}

void TfmRechFiche::ChoixPersonne(int ligne) {
  if (m_ecrit || ligne < 0) return;
  m_etat->ChoisitLigne(ligne);
  CandidatChange();
  MetAJourOk();
}

void TfmRechFiche::CandidatChange() {
  const int c = m_etat->OkPermis() ? m_etat->Candidat() : 0;
  if (c == 0 || c == m_candidatMontre) return;
  m_candidatMontre = c;
  if (!cbSelec->isChecked() || !m_navigation.selectionne) return;
  m_navigue = true;
  m_navigation.selectionne(c);
  if (m_navigation.montreOnglet && m_app.reglages.Bool(kSectionOptions, "FicheIdEnRech")) m_navigation.montreOnglet(0);
}

void TfmRechFiche::Navigue(bool actif) {
  if (actif) {
    m_candidatMontre = 0;
    CandidatChange();
  } else {
    Restaure();
  }
}

void TfmRechFiche::Restaure() {
  if (!m_navigue) return;
  m_navigue = false;
  if (m_navigation.selection && m_navigation.selection() != m_selectionDepart)
    m_navigation.selectionne(m_selectionDepart);
  if (m_navigation.montreOnglet) m_navigation.montreOnglet(m_ongletDepart);
}

void TfmRechFiche::MetAJourOk() { bOk->setEnabled(m_etat->OkPermis()); }

}  // namespace kindrela

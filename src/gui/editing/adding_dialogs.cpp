#include "gui/editing/adding_dialogs.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/ansi_literal.h"
#include "core/database.h"
#include "editing/record.h"
#include "editing/record_names.h"
#include "gui/common/qt_text.h"
#include "gui/editing/record_window.h"
#include "gui/i18n/translate_window.h"
#include "gui/main/application.h"

namespace kindrela {
namespace {

QString Q(std::string_view ansi) { return VersQString(ansi); }

QPushButton* Bouton(QDialogButtonBox* boite, QDialogButtonBox::StandardButton b, const char* nom,
                    const char* texte) {
  QPushButton* bouton = boite->button(b);
  bouton->setObjectName(nom);
  bouton->setText(texte);
  return bouton;
}

}  // namespace

TfmAjoutePers::TfmAjoutePers(TApplication& app, int n, const std::string& titre, bool sexeAuChoix,
                             QWidget* parent)
    : QDialog(parent), m_app(app), m_personne(n) {
  setObjectName("fmAjoutePers");
  setWindowTitle(Q(titre));
  const TBD& bd = *app.bd;
  E_Nom = new QLineEdit(Q(bd.LitNom(n)), this);
  E_Nom->setObjectName("E_Nom");
  E_Pre = new QLineEdit(Q(bd.LitPrenoms(n)), this);
  E_Pre->setObjectName("E_Pre");
  E_Pre->setMinimumWidth(E_Pre->fontMetrics().averageCharWidth() * 36);
  sbSexe = new QPushButton(this);
  sbSexe->setObjectName("sbSexe");
  sbSexe->setEnabled(sexeAuChoix);
  cbSelec = new QCheckBox(Q("Sélectionner cette personne maintenant"_ansi), this);
  cbSelec->setObjectName("cbSelec");
  MontreSexe();

  for (QLineEdit* e : {E_Nom, E_Pre}) {
    connect(e, &QLineEdit::textEdited, this, [this, e] {
      Change();
      if (m_app.reglages.Bool(kSectionOptions, "SaisieNom")) Offre(e, false);
    });
    e->installEventFilter(this);
  }
  connect(sbSexe, &QPushButton::clicked, this, [this] {
    TBD& b = *m_app.bd;
    b.EcritSexe(m_personne, SexeApresClic(b.LitSexe(m_personne)));
    FicheModifiee(b, m_personne);
    MontreSexe();
    emit PersonneModifiee(m_personne);
  });

  auto* boutons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  Bouton(boutons, QDialogButtonBox::Ok, "btOk", "&OK");
  connect(boutons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  auto* formulaire = new QFormLayout;
  formulaire->addRow(Q("Nom :"), E_Nom);
  formulaire->addRow(Q("Prénoms :"_ansi), E_Pre);
  formulaire->addRow(Q("Sexe :"), sbSexe);
  auto* colonne = new QVBoxLayout(this);
  colonne->addLayout(formulaire);
  colonne->addWidget(cbSelec);
  colonne->addWidget(boutons);
  TraduitFenetre(this, app.traduction);
  // A copied surname is already there: the given names come next.
  (E_Nom->text().isEmpty() ? E_Nom : E_Pre)->setFocus();
}

void TfmAjoutePers::Offre(QLineEdit* edit, bool toutes) {
  if (m_saisie) m_saisie->Offre(edit, TSaisieAssistee::Sorte::Noms, {}, toutes);
}

bool TfmAjoutePers::eventFilter(QObject* objet, QEvent* evenement) {
  auto* edit = qobject_cast<QLineEdit*>(objet);
  if (!edit || evenement->type() != QEvent::KeyPress || !m_saisie) return QDialog::eventFilter(objet, evenement);
  auto* touche = static_cast<QKeyEvent*>(evenement);
  const int cle = touche->key();
  if (cle == Qt::Key_F3) {
    Offre(edit, true);
    return true;
  }
  if (!m_saisie->Visible()) return QDialog::eventFilter(objet, evenement);
  if (cle == Qt::Key_Return || cle == Qt::Key_Enter) {
    // The value chosen is written as if typed; the key does not close the dialog.
    m_saisie->Touche(edit, touche);
    Change();
    return true;
  }
  if (cle == Qt::Key_Tab || cle == Qt::Key_Escape) {
    m_saisie->Ferme();
    return true;
  }
  if (cle == Qt::Key_Up || cle == Qt::Key_Down) return m_saisie->Touche(edit, touche);
  return QDialog::eventFilter(objet, evenement);
}

void TfmAjoutePers::done(int resultat) {
  if (m_saisie) m_saisie->Ferme();
  QDialog::done(resultat);
}

bool TfmAjoutePers::Selectionner() const { return cbSelec->isChecked(); }

void TfmAjoutePers::Change() {
  const TReglages& r = m_app.reglages;
  if (r.Bool(kSectionOptions, "NomMaj")) {
    // The surname is typed in capitals, the cursor staying where it was.
    const QString maj = Q(MajusculesNom(DepuisQString(E_Nom->text())));
    if (maj != E_Nom->text()) {
      const int curseur = E_Nom->cursorPosition();
      E_Nom->setText(maj);
      E_Nom->setCursorPosition(curseur);
    }
  }
  // The capitals of the given names come when the record window leaves them.
  const ResultatNoms res = EcritNomPrenoms(*m_app.bd, m_personne, DepuisQString(E_Nom->text()),
                                           DepuisQString(E_Pre->text()),
                                           OptionsNoms{r.Bool(kSectionOptions, "NomMaj"), false});
  if (res.modifie) {
    FicheModifiee(*m_app.bd, m_personne);
    emit PersonneModifiee(m_personne);
  }
}

void TfmAjoutePers::MontreSexe() {
  sbSexe->setText(Q(m_app.traduction.Msg(MessageSexe(m_app.bd->LitSexe(m_personne)))));
}

TfmAjoute::TfmAjoute(TApplication& app, int selection, QWidget* parent) : QDialog(parent) {
  setObjectName("fmAjoute");
  setWindowTitle("Ajouter une nouvelle fiche");
  const TBD& bd = *app.bd;
  const bool personne = bd.FicheUtilisee(selection);
  L_Nom = new QLabel(personne ? Q(bd.NomCourt(selection)) : QString(), this);
  L_Nom->setObjectName("L_Nom");
  auto radio = [this](const char* nom, std::string_view texte, bool actif) {
    auto* b = new QRadioButton(Q(texte), this);
    b->setObjectName(nom);
    b->setEnabled(actif);
    return b;
  };
  RB_Nouvelle = radio("RB_Nouvelle", "Une nouvelle personne", true);
  RB_Pere = radio("RB_Pere", "Le père"_ansi, personne && bd.LitPere(selection) == 0);
  RB_Mere = radio("RB_Mere", "La mère"_ansi, personne && bd.LitMere(selection) == 0);
  RB_Enfant = radio("RB_Enfant", "Un fils ou une fille", personne);
  RB_Conj = radio("RB_Conj", "Un conjoint", personne);
  RB_Fatrie = radio("RB_Fatrie", "Un frère ou une soeur"_ansi, personne);
  RB_Nouvelle->setChecked(true);

  auto* boutons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  Bouton(boutons, QDialogButtonBox::Ok, "B_Ok", "&OK");
  Bouton(boutons, QDialogButtonBox::Cancel, "B_Annuler", "&Annuler");
  connect(boutons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(boutons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* colonne = new QVBoxLayout(this);
  colonne->addWidget(L_Nom);
  for (QRadioButton* b : {RB_Nouvelle, RB_Pere, RB_Mere, RB_Enfant, RB_Conj, RB_Fatrie}) colonne->addWidget(b);
  colonne->addWidget(boutons);
  TraduitFenetre(this, app.traduction);
}

std::optional<SorteAjout> TfmAjoute::Choix() const {
  if (RB_Pere->isChecked()) return SorteAjout::Pere;
  if (RB_Mere->isChecked()) return SorteAjout::Mere;
  if (RB_Enfant->isChecked()) return SorteAjout::Enfant;
  if (RB_Conj->isChecked()) return SorteAjout::Conjoint;
  if (RB_Fatrie->isChecked()) return SorteAjout::Fratrie;
  return std::nullopt;
}

}  // namespace kindrela

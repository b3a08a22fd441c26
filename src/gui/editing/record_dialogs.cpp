#include "gui/editing/record_dialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTextDocument>
#include <QVBoxLayout>

#include "core/ansi_literal.h"
#include "core/text.h"
#include "editing/custom_fields.h"
#include "gui/chart/chart_print.h"
#include "gui/common/qt_text.h"
#include "gui/i18n/translate_window.h"
#include "gui/main/application.h"

namespace kindrela {
namespace {

QString Q(std::string_view ansi) { return VersQString(ansi); }

QPushButton* Bouton(QDialogButtonBox* boite, QDialogButtonBox::StandardButton b, const char* nom,
                    const QString& texte) {
  QPushButton* bouton = boite->button(b);
  bouton->setObjectName(nom);
  bouton->setText(texte);
  return bouton;
}

}  // namespace

// ---------------------------------------------------------------------------

TfmFicheEve::TfmFicheEve(TApplication& app, const std::string& categorie, QWidget* parent)
    : QDialog(parent), m_app(app), m_categorie(categorie) {
  setObjectName("fmFicheEve");
  setWindowTitle(Q("Liste des événements"_ansi));
  m_eve = new QComboBox(this);
  m_eve->setObjectName("cbEve");
  m_eve->setEditable(true);
  m_eve->setInsertPolicy(QComboBox::NoInsert);
  m_eve->setMinimumWidth(m_eve->fontMetrics().averageCharWidth() * 32);
  for (const std::string& nom : app.tables.Natures(categorie)) m_eve->addItem(Q(nom));
  m_eve->setCurrentIndex(m_eve->count() > 0 ? 0 : -1);
  m_eve->lineEdit()->installEventFilter(this);
  m_ajoute = new QCheckBox(Q("Ajouter les nouveaux événements à la liste"_ansi), this);
  m_ajoute->setObjectName("cbAjoute");
  m_ajoute->setChecked(true);

  auto* boutons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  m_ok = Bouton(boutons, QDialogButtonBox::Ok, "btOk", "&OK");
  Bouton(boutons, QDialogButtonBox::Cancel, "btAnnuler", "&Annuler");
  connect(boutons, &QDialogButtonBox::accepted, this, &TfmFicheEve::Valide);
  connect(boutons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto okActif = [this] { m_ok->setEnabled(!Nom().empty()); };
  connect(m_eve, &QComboBox::currentTextChanged, this, okActif);
  okActif();

  auto* colonne = new QVBoxLayout(this);
  auto* etiquette = new QLabel(Q("Evénement :"_ansi), this);
  etiquette->setObjectName("lEve");
  etiquette->setBuddy(m_eve);
  colonne->addWidget(etiquette);
  colonne->addWidget(m_eve);
  colonne->addWidget(m_ajoute);
  colonne->addWidget(boutons);
  TraduitFenetre(this, app.traduction);
}

std::string TfmFicheEve::Nom() const { return Trim(DepuisQString(m_eve->currentText())); }

bool TfmFicheEve::eventFilter(QObject* objet, QEvent* evenement) {
  if (evenement->type() == QEvent::MouseButtonDblClick && m_ok->isEnabled()) {
    Valide();
    return true;
  }
  return QDialog::eventFilter(objet, evenement);
}

void TfmFicheEve::Valide() {
  if (Nom().empty()) return;
  if (m_ajoute->isChecked())
    InscritNatureGrille(m_app.tables.Grille(SorteTable::Evenements), m_categorie, Nom());
  accept();
}

std::string ChoisitNatureEve(QWidget* parent, TApplication& app, const std::string& categorie) {
  TfmFicheEve dialogue(app, categorie, parent);
  if (dialogue.exec() != QDialog::Accepted) return {};
  return dialogue.Nom();
}

// ---------------------------------------------------------------------------

TfmChampAjoute::TfmChampAjoute(TApplication& app, QWidget* parent) : QDialog(parent), m_app(app) {
  setObjectName("fmChampAjoute");
  setWindowTitle("Ajouter un champ");
  m_libelle = new QComboBox(this);
  m_libelle->setObjectName("cbLibelle");
  m_libelle->setEditable(true);
  m_libelle->setInsertPolicy(QComboBox::NoInsert);
  m_libelle->setMinimumWidth(m_libelle->fontMetrics().averageCharWidth() * 36);
  for (const std::string& l : LibellesChampsProposes(app.tables.NomsChamps())) m_libelle->addItem(Q(l));
  m_libelle->setCurrentIndex(-1);
  m_libelle->setEditText({});
  m_sorte = new QComboBox(this);
  m_sorte->setObjectName("cbSorte");
  for (const SorteOfferte& s : kSortesChampOffertes) m_sorte->addItem(Q(s.legende), Q(s.sorte));
  m_liste = new QCheckBox(Q("Ajouter les nouveaux champs à la liste"_ansi), this);
  m_liste->setObjectName("cbListe");
  m_liste->setChecked(true);
  m_tous = new QCheckBox("Ajouter ce champ pour toutes les personnes", this);
  m_tous->setObjectName("cbTous");

  auto* boutons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  m_ok = Bouton(boutons, QDialogButtonBox::Ok, "btOk", "&OK");
  Bouton(boutons, QDialogButtonBox::Cancel, "btAnnuler", "&Annuler");
  connect(boutons, &QDialogButtonBox::accepted, this, &TfmChampAjoute::Valide);
  connect(boutons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto okActif = [this] { m_ok->setEnabled(!Libelle().empty()); };
  connect(m_libelle, &QComboBox::currentTextChanged, this, okActif);
  okActif();

  auto* formulaire = new QFormLayout;
  formulaire->addRow(Q("Nom du champ :"), m_libelle);
  formulaire->addRow(Q("Type de donnée :"_ansi), m_sorte);
  auto* colonne = new QVBoxLayout(this);
  colonne->addLayout(formulaire);
  colonne->addWidget(m_liste);
  colonne->addWidget(m_tous);
  colonne->addWidget(boutons);
  TraduitFenetre(this, app.traduction);
}

std::string TfmChampAjoute::Libelle() const {
  return Trim(SansSeparateur(DepuisQString(m_libelle->currentText())));
}

std::string TfmChampAjoute::Sorte() const { return DepuisQString(m_sorte->currentData().toString()); }

void TfmChampAjoute::Valide() {
  if (Libelle().empty()) return;
  if (m_liste->isChecked())
    InscritChampGrille(m_app.tables.Grille(SorteTable::Champs), Libelle(), m_tous->isChecked(),
                       m_app.traduction);
  accept();
}

// ---------------------------------------------------------------------------

TfmNote::TfmNote(const QString& texte, QWidget* parent) : QDialog(parent) {
  setObjectName("fmNote");
  setWindowTitle("Edition de texte");
  m_texte = new QPlainTextEdit(this);
  m_texte->setObjectName("Memo");
  m_texte->setPlainText(texte);
  auto* boutons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  Bouton(boutons, QDialogButtonBox::Ok, "btOk", "&OK");
  Bouton(boutons, QDialogButtonBox::Cancel, "btAnnuler", "&Annuler");
  auto* sauve = boutons->addButton("&Sauver...", QDialogButtonBox::ActionRole);
  sauve->setObjectName("btSauve");
  auto* imprime = boutons->addButton("&Imprimer", QDialogButtonBox::ActionRole);
  imprime->setObjectName("btImprime");
  imprime->setEnabled(ImprimanteDisponible());
  if (!imprime->isEnabled()) imprime->setToolTip(Q("Aucune imprimante n'est installée."_ansi));
  connect(boutons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(boutons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(sauve, &QPushButton::clicked, this, &TfmNote::Sauve);
  connect(imprime, &QPushButton::clicked, this, &TfmNote::Imprime);
  auto* colonne = new QVBoxLayout(this);
  colonne->addWidget(m_texte, 1);
  colonne->addWidget(boutons);
  resize(560, 420);
}

QString TfmNote::Texte() const { return m_texte->toPlainText(); }

void TfmNote::Sauve() {
  QFileDialog dialogue(this, "Sauver", {}, "Texte (*.TXT)");
  dialogue.setObjectName("SaveDialog");
  dialogue.setAcceptMode(QFileDialog::AcceptSave);
  dialogue.setDefaultSuffix("txt");
  if (dialogue.exec() != QDialog::Accepted || dialogue.selectedFiles().isEmpty()) return;
  // Failures are not reported: the text stays in the editor.
  (void)SauveVers(dialogue.selectedFiles().front());
}

bool TfmNote::SauveVers(const QString& chemin) const {
  QFile f(chemin);
  if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
  std::string texte = DepuisQString(Texte());
  std::string crlf;
  crlf.reserve(texte.size() + texte.size() / 16);
  for (char c : texte) {
    if (c == '\n') crlf += '\r';
    crlf += c;
  }
  return f.write(crlf.data(), static_cast<qint64>(crlf.size())) == static_cast<qint64>(crlf.size());
}

void TfmNote::Imprime() {
  QPrinter imprimante;
  QPrintDialog dialogue(&imprimante, this);
  if (dialogue.exec() != QDialog::Accepted) return;
  m_texte->document()->print(&imprimante);
}

bool EditeTexte(QWidget* parent, QString& texte) {
  TfmNote editeur(texte, parent);
  if (editeur.exec() != QDialog::Accepted) return false;
  texte = editeur.Texte();
  return true;
}

}  // namespace kindrela

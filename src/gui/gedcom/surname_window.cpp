#include "gui/gedcom/surname_window.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QListWidget>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QToolButton>

#include "core/ansi_literal.h"
#include "gui/main/application.h"
#include "gui/common/message_box.h"
#include "core/text.h"
#include "gui/common/qt_text.h"
#include "gui/i18n/translate_window.h"

namespace kindrela {
namespace {

QString Q(std::string_view ansi) { return VersQString(ansi); }

// A core message for a message box, whose lines end with a line feed.
QString TexteMessage(const Statut& s) { return Q(s.message()).replace("\r\n", "\n"); }

constexpr std::string_view kTitre = "Recherche de patronyme commun à deux fichiers GEDCOM"_ansi;
constexpr int kPasProgression = 1000;  // the bar counts thousandths of the file

QToolButton* BoutonMenu(const char* nom, std::string_view texte, QWidget* parent) {
  auto* b = new QToolButton(parent);
  b->setObjectName(nom);
  b->setText(Q(texte));
  b->setToolButtonStyle(Qt::ToolButtonTextOnly);
  b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  b->setMinimumHeight(28);
  return b;
}

QAction* Action(QMenu* menu, const QString& nom, std::string_view texte) {
  QAction* a = menu->addAction(Q(texte));
  a->setObjectName(nom);
  return a;
}

QStringList VersListe(const std::vector<std::string>& lignes) {
  QStringList l;
  l.reserve(static_cast<qsizetype>(lignes.size()));
  for (const std::string& s : lignes) l << Q(s);
  return l;
}

}  // namespace

TfmGedPatro::TfmGedPatro(TApplication& app, QWidget* parent) : QDialog(parent), m_app(app) {
  setObjectName("fmGedPatro");
  setWindowTitle(Q(kTitre));

  const char* nomsBoutons[2] = {"sbPremier", "sbSecond"};
  const char* nomsVues[2] = {"lbPremier", "lbSecond"};
  const std::string_view textes[2] = {"Premier fichier", "Second fichier"};
  for (int cote = 0; cote < 2; ++cote) {
    m_boutons[cote] = BoutonMenu(nomsBoutons[cote], textes[cote], this);
    m_boutons[cote]->setMenu(MenuCote(cote));
    m_boutons[cote]->setPopupMode(QToolButton::InstantPopup);
    m_vues[cote] = new QListWidget(this);
    m_vues[cote]->setObjectName(nomsVues[cote]);
  }

  m_phonetique = BoutonMenu("sbPhonetique", "Phonétique"_ansi, this);
  m_phonetique->setCheckable(true);
  // Both sides follow the chosen order at once, so that what they show
  // always matches the comparison the user is about to run.
  connect(m_phonetique, &QToolButton::toggled, this, [this] {
    TrieEtAffiche(0);
    TrieEtAffiche(1);
  });

  m_comparaison = BoutonMenu("sbComparaison", "Comparaison", this);
  auto* menu = new QMenu(m_comparaison);
  menu->setObjectName("pmComparaison");
  connect(Action(menu, "psComparer", "Comparer les deux fichiers"), &QAction::triggered, this,
          [this] { Compare(ModeComparaison::Exact); });
  connect(Action(menu, "psComparerPhonetique", "Comparer les deux fichiers phonétiquement"_ansi),
          &QAction::triggered, this, [this] { Compare(ModeComparaison::Phonetique); });
  menu->addSeparator();
  connect(Action(menu, "psSauverResultat", "Sauver la liste de patronyme dans un fichier texte"),
          &QAction::triggered, this, [this] {
            QString chemin = DemandeSauvegarde();
            if (!chemin.isEmpty()) SauveResultat(chemin);
          });
  m_comparaison->setMenu(menu);
  m_comparaison->setPopupMode(QToolButton::InstantPopup);

  m_resultat = new QListWidget(this);
  m_resultat->setObjectName("lbResultat");
  m_progression = new QProgressBar(this);
  m_progression->setObjectName("pbLecture");
  m_progression->setRange(0, kPasProgression);
  m_progression->setValue(0);
  m_progression->setTextVisible(false);
  m_fermer = new QPushButton(Q("&Fermer"), this);
  m_fermer->setObjectName("btFermer");
  m_fermer->setAutoDefault(false);
  connect(m_fermer, &QPushButton::clicked, this, &TfmGedPatro::reject);

  auto* g = new QGridLayout;
  g->addWidget(m_boutons[0], 0, 0);
  g->addWidget(m_boutons[1], 0, 1);
  g->addWidget(m_comparaison, 0, 2);
  g->addWidget(m_vues[0], 1, 0);
  g->addWidget(m_vues[1], 1, 1);
  g->addWidget(m_resultat, 1, 2);
  for (int c = 0; c < 3; ++c) g->setColumnStretch(c, 1);
  auto* bas = new QHBoxLayout;
  bas->addWidget(m_phonetique);
  bas->addWidget(m_progression, 1);
  bas->addWidget(m_fermer);
  m_phonetique->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
  auto* tout = new QVBoxLayout(this);
  tout->addLayout(g, 1);
  tout->addLayout(bas);

  TraduitFenetre(this, m_app.traduction);
  resize(760, 480);
}

QMenu* TfmGedPatro::MenuCote(int cote) {
  const QString n = QString::number(cote + 1);
  auto* menu = new QMenu(this);
  menu->setObjectName("pmCote" + n);
  connect(Action(menu, "psImporter" + n, "Importer un fichier GEDCOM"), &QAction::triggered, this,
          [this, cote] {
            QString chemin = DemandeFichier("GEDCOM (*.GED *.ged)");
            if (!chemin.isEmpty()) ImporteGedcom(cote, chemin);
          });
  connect(Action(menu, "psCharger" + n, "Charger une liste de patronyme depuis un fichier texte"),
          &QAction::triggered, this, [this, cote] {
            QString chemin = DemandeFichier("Liste de patronyme (*.txt)");
            if (!chemin.isEmpty()) ChargeListe(cote, chemin);
          });
  connect(Action(menu, "psSauver" + n, "Sauver la liste de patronyme dans un fichier texte"),
          &QAction::triggered, this, [this, cote] {
            QString chemin = DemandeSauvegarde();
            if (!chemin.isEmpty()) SauveListe(cote, chemin);
          });
  menu->addSeparator();
  connect(Action(menu, "psAjouter" + n, "Ajouter un patronyme..."), &QAction::triggered, this,
          [this, cote] { DemandeAjouts(cote); });
  connect(Action(menu, "psVider" + n, "Vider la liste de patronyme"), &QAction::triggered, this,
          [this, cote] { VideListe(cote); });
  return menu;
}

QString TfmGedPatro::DemandeFichier(const QString& filtre) {
  return QFileDialog::getOpenFileName(this, QString(), Q(m_app.dossiers.mesArbres), filtre);
}

QString TfmGedPatro::DemandeSauvegarde() {
  QString chemin = QFileDialog::getSaveFileName(this, QString(), Q(m_app.dossiers.mesArbres),
                                                Q("Fichier de patronyme (*.txt)"));
  if (!chemin.isEmpty() && !chemin.contains('.', Qt::CaseSensitive)) chemin += ".txt";
  return chemin;
}

void TfmGedPatro::DemandeAjouts(int cote) {
  for (;;) {
    bool ok = false;
    QString nom = QInputDialog::getText(this, Q("Ajout d'un patronyme"),
                                        Q("Indiquez le patronyme à ajouter:"_ansi), QLineEdit::Normal,
                                        QString(), &ok);
    if (!ok) return;
    AjoutePatronyme(cote, nom);
  }
}

QStringList TfmGedPatro::Lignes(int cote) const {
  QStringList l;
  for (int i = 0; i < m_vues[cote]->count(); ++i) l << m_vues[cote]->item(i)->text();
  return l;
}

QStringList TfmGedPatro::Resultat() const {
  QStringList l;
  for (int i = 0; i < m_resultat->count(); ++i) l << m_resultat->item(i)->text();
  return l;
}

QString TfmGedPatro::TexteBouton(int cote) const { return m_boutons[cote]->text(); }
QString TfmGedPatro::TexteComparaison() const { return m_comparaison->text(); }
bool TfmGedPatro::Phonetique() const { return m_phonetique->isChecked(); }
void TfmGedPatro::SetPhonetique(bool phonetique) { m_phonetique->setChecked(phonetique); }

void TfmGedPatro::TrieEtAffiche(int cote) {
  TrierPatronymes(m_listes[cote], Phonetique());
  m_vues[cote]->clear();
  m_vues[cote]->addItems(VersListe(LignesPatronymes(m_listes[cote])));
  m_boutons[cote]->setText(QString::number(m_listes[cote].Taille()) + " patronymes differents");
}

void TfmGedPatro::Occupe(bool occupe) {
  m_enCours = occupe;
  for (QWidget* w : {static_cast<QWidget*>(m_boutons[0]), static_cast<QWidget*>(m_boutons[1]),
                     static_cast<QWidget*>(m_comparaison), static_cast<QWidget*>(m_phonetique),
                     static_cast<QWidget*>(m_fermer)})
    w->setEnabled(!occupe);
  if (occupe) setCursor(Qt::WaitCursor);
  else unsetCursor();
}

bool TfmGedPatro::ImporteGedcom(int cote, const QString& chemin) {
  if (m_enCours) return false;
  // Read into a copy, so that a stopped reading leaves the side whole.
  ListePatronymes liste = m_listes[cote];
  m_arret = false;
  Occupe(true);
  m_progression->setValue(0);
  Progression suivi = [this](long long fait, long long total) {
    m_progression->setValue(total > 0 ? static_cast<int>(fait * kPasProgression / total) : 0);
    QCoreApplication::processEvents();
    return !m_arret;
  };
  Statut s = LirePatronymesGedcom(DepuisQString(chemin), liste, suivi);
  Occupe(false);
  m_progression->setValue(0);
  if (!s.ok()) {
    if (!s.annule()) BoiteMessage(TexteMessage(s), kErreur, 0, this);
    return false;
  }
  m_listes[cote] = std::move(liste);
  TrieEtAffiche(cote);
  m_boutons[cote]->setToolTip(QDir::toNativeSeparators(chemin));
  return true;
}

bool TfmGedPatro::ChargeListe(int cote, const QString& chemin) {
  if (m_enCours) return false;
  Statut s = ChargePatronymes(DepuisQString(chemin), m_listes[cote]);
  if (!s.ok()) {
    BoiteMessage(TexteMessage(s), kErreur, 0, this);
    return false;
  }
  TrieEtAffiche(cote);
  m_boutons[cote]->setToolTip(QDir::toNativeSeparators(chemin));
  return true;
}

bool TfmGedPatro::SauveListe(int cote, const QString& chemin) {
  Statut s = SauvePatronymes(DepuisQString(chemin), LignesPatronymes(m_listes[cote]));
  if (!s.ok()) BoiteMessage(TexteMessage(s), kErreur, 0, this);
  return s.ok();
}

void TfmGedPatro::AjoutePatronyme(int cote, const QString& nom) {
  if (m_enCours) return;
  std::string patronyme = MajusculesAnsi(Trim(DepuisQString(nom)));
  if (patronyme.empty()) return;
  AjouterPatronyme(m_listes[cote], patronyme);
  TrieEtAffiche(cote);
}

void TfmGedPatro::VideListe(int cote) {
  if (m_enCours) return;
  m_listes[cote].Vide();
  TrieEtAffiche(cote);
  m_boutons[cote]->setToolTip(QString());
}

void TfmGedPatro::Compare(ModeComparaison mode) {
  if (m_enCours) return;
  std::vector<std::string> communs = ComparerPatronymes(m_listes[0], m_listes[1], mode);
  m_resultat->clear();
  m_resultat->addItems(VersListe(communs));
  m_comparaison->setText(communs.empty()
                             ? QString("Aucun patronyme commun")
                             : QString::number(communs.size()) + " patronymes communs");
}

bool TfmGedPatro::SauveResultat(const QString& chemin) {
  std::vector<std::string> lignes;
  for (const QString& l : Resultat()) lignes.push_back(DepuisQString(l));
  Statut s = SauvePatronymes(DepuisQString(chemin), lignes);
  if (!s.ok()) BoiteMessage(TexteMessage(s), kErreur, 0, this);
  return s.ok();
}

void TfmGedPatro::reject() {
  if (m_enCours) {
    m_arret = true;
    return;
  }
  QDialog::reject();
}

void AfficheComparaisonPatronymes(QWidget* parent, TApplication& app) {
  // One tool per parent window, kept with its lists between showings.
  TfmGedPatro* fenetre = parent ? parent->findChild<TfmGedPatro*>("fmGedPatro") : nullptr;
  if (!fenetre) fenetre = new TfmGedPatro(app, parent);
  fenetre->exec();
  if (!parent) delete fenetre;
}

}  // namespace kindrela

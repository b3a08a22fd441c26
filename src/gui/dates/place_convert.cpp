#include "gui/dates/place_convert.h"

#include <QApplication>
#include <QCheckBox>
#include <QFont>
#include <QHBoxLayout>
#include <QFontMetrics>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <string>
#include <vector>

#include "core/ansi_literal.h"
#include "core/database.h"
#include "core/text.h"
#include "gui/common/qt_text.h"
#include "gui/i18n/translate_window.h"

namespace kindrela {
namespace {

QLabel* Etiquette(QWidget* parent, const char* nom, const char* texte) {
  auto* l = new QLabel(VersQString(texte), parent);
  l->setObjectName(nom);
  l->setWordWrap(true);
  return l;
}

// The places of every event in use, to put them back when the user stops a
// conversion half way (index = event number).
std::vector<std::string> CopieLieux(const TBD& bd) {
  std::vector<std::string> lieux(static_cast<size_t>(bd.NbreEve()) + 1);
  for (int e = 1; e <= bd.NbreEve(); ++e)
    if (bd.EveUtilise(e)) lieux[e] = bd.Eve(e).Lieu;
  return lieux;
}

void RemetLieux(TBD& bd, const std::vector<std::string>& lieux) {
  int n = std::min<int>(bd.NbreEve(), static_cast<int>(lieux.size()) - 1);
  for (int e = 1; e <= n; ++e)
    if (bd.EveUtilise(e) && bd.Eve(e).Lieu != lieux[e]) bd.EcritChampEve(e, 4, lieux[e]);
}

constexpr int kLargeurMinColonne = 70;
constexpr int kLargeurMaxColonne = 220;

}  // namespace

TfmLieuConvert::TfmLieuConvert(TBD& bd, const TTraduction& trad, QWidget* parent)
    : QDialog(parent), m_bd(bd) {
  setObjectName("fmLieuConvert");
  setWindowTitle(VersQString("Conversion des lieux"));
  setModal(true);

  auto* principal = new QVBoxLayout(this);
  principal->addWidget(Etiquette(this, "lbApercu",
      "Aperçu du contenu des differents lieux tel qu'ils sont codés."_ansi));
  principal->addWidget(Etiquette(this, "lbDeplacer",
      "Maintenez cliqué sur le nom de la colonne et déplacez la pour la mettre à "
      "son emplacement."_ansi));
  principal->addWidget(Etiquette(this, "lbLigne",
      "Chaque ligne représente un lieu mais l'intitulé de la colonne ne correspond "
      "peut-être pas au contenu"_ansi));

  m_grille = new QTableWidget(this);
  m_grille->setObjectName("sg");
  m_grille->setColumnCount(kNbreChampsLieu);
  m_grille->setEditTriggers(QAbstractItemView::NoEditTriggers);
  m_grille->setSelectionMode(QAbstractItemView::NoSelection);
  m_grille->setWordWrap(false);
  m_grille->horizontalHeader()->setSectionsMovable(true);
  m_grille->horizontalHeader()->setHighlightSections(false);
  m_grille->horizontalHeader()->setStretchLastSection(true);
  m_grille->setToolTip(VersQString(
      "Ctrl+Flèche gauche ou droite déplace la colonne de la case courante"_ansi));
  m_grille->installEventFilter(this);
  m_grille->verticalHeader()->setDefaultSectionSize(m_grille->fontMetrics().height() + 6);
  principal->addWidget(m_grille, 1);

  principal->addWidget(Etiquette(this, "lbDepartement",
      "La colonne département doit alors contenir le numéro du département à deux "
      "chiffres ou le code postal à cinq chiffres."_ansi));
  principal->addWidget(Etiquette(this, "lbRegion",
      "La colonne région est générée automatiquement et le pays doit être F ou France"_ansi));

  m_normaliser = new QCheckBox(VersQString("Normaliser les lieux après la conversion"_ansi), this);
  m_normaliser->setObjectName("cbNormaliser");
  m_normaliser->setChecked(true);
  principal->addWidget(m_normaliser);
  m_france = new QCheckBox(
      VersQString("Si le pays n'est pas connu, le définir comme étant la France (F)"_ansi), this);
  m_france->setObjectName("cbFrance");
  m_france->setChecked(true);
  principal->addWidget(m_france);

  m_progression = new QProgressBar(this);
  m_progression->setObjectName("pbConversion");
  m_progression->setRange(0, 1);
  m_progression->setValue(0);
  m_progression->setTextVisible(false);
  // Shown while a conversion runs: idle, it would pass for an empty field.
  m_progression->setVisible(false);
  principal->addWidget(m_progression);

  auto* boutons = new QHBoxLayout;
  boutons->addStretch(1);
  m_convertir = new QPushButton(VersQString("&Convertir"), this);
  m_convertir->setObjectName("btConvertir");
  m_convertir->setDefault(true);
  m_annuler = new QPushButton(VersQString("&Ne pas convertir"), this);
  m_annuler->setObjectName("btNePasConvertir");
  boutons->addWidget(m_convertir);
  boutons->addWidget(m_annuler);
  principal->addLayout(boutons);

  connect(m_convertir, &QPushButton::clicked, this, &TfmLieuConvert::Convertit);
  connect(m_annuler, &QPushButton::clicked, this, &TfmLieuConvert::reject);
  connect(m_grille->horizontalHeader(), &QHeaderView::sectionMoved, this,
          [this] { TitresEnOrdre(); });

  RempliGrille();
  // The columns and the country as the places look: a file whose places
  // name the town first starts with the town under "Commune".
  QHeaderView* entete = m_grille->horizontalHeader();
  for (int v = 0; v < kNbreChampsLieu; ++v)
    entete->moveSection(entete->visualIndex(m_proposees.colonnes[v] - 1), v);
  TitresEnOrdre();
  m_france->setChecked(m_proposees.franceParDefaut);
  TraduitFenetre(this, trad);
  resize(860, 560);
}

void TfmLieuConvert::RempliGrille() {
  std::vector<ChampsLieu> apercu = ApercuLieux(m_bd);
  m_proposees = OptionsProposees(apercu);
  int nbre = static_cast<int>(apercu.size());
  m_grille->setRowCount(nbre + 1);
  QStringList numerosLignes;
  for (int r = 0; r < nbre; ++r) {
    numerosLignes << QString::number(r + 1);
    for (int c = 0; c < kNbreChampsLieu; ++c)
      m_grille->setItem(r, c, new QTableWidgetItem(VersQString(apercu[r][c])));
  }
  // The number row says which field of the old texts each column holds; it
  // is set apart so that it reads as the answer, not as one more place.
  numerosLignes << VersQString("N°"_ansi);
  m_grille->setVerticalHeaderLabels(numerosLignes);
  QFont gras = m_grille->font();
  gras.setBold(true);
  for (int c = 0; c < kNbreChampsLieu; ++c) {
    auto* item = new QTableWidgetItem(QString::number(c + 1));
    item->setTextAlignment(Qt::AlignCenter);
    item->setFont(gras);
    item->setBackground(palette().alternateBase());
    m_grille->setItem(nbre, c, item);
  }
  TitresEnOrdre();
  m_grille->resizeColumnsToContents();
  // Any title may come to sit over any column: each must hold the widest.
  int minimum = kLargeurMinColonne;
  QFontMetrics mesure(m_grille->horizontalHeader()->font());
  for (std::string_view titre : TitresChampsLieu)
    minimum = std::max(minimum, mesure.horizontalAdvance(VersQString(titre)) + 24);
  for (int c = 0; c < kNbreChampsLieu; ++c)
    m_grille->setColumnWidth(
        c, std::clamp(m_grille->columnWidth(c), minimum, std::max(minimum, kLargeurMaxColonne)));
}

bool TfmLieuConvert::eventFilter(QObject* objet, QEvent* evenement) {
  // Columns move from the keyboard too: Ctrl+Left/Right moves the column of
  // the current cell one place, and it stays current for the next press.
  if (objet == m_grille && evenement->type() == QEvent::KeyPress && !m_enCours) {
    auto* touche = static_cast<QKeyEvent*>(evenement);
    int sens = touche->key() == Qt::Key_Left ? -1 : touche->key() == Qt::Key_Right ? 1 : 0;
    if (sens != 0 && (touche->modifiers() & Qt::ControlModifier)) {
      QHeaderView* entete = m_grille->horizontalHeader();
      int colonne = m_grille->currentColumn() >= 0 ? m_grille->currentColumn() : 0;
      int v = entete->visualIndex(colonne);
      if (v + sens >= 0 && v + sens < kNbreChampsLieu) entete->moveSection(v, v + sens);
      return true;
    }
  }
  return QDialog::eventFilter(objet, evenement);
}

void TfmLieuConvert::TitresEnOrdre() {
  // Titles belong to screen positions, the data (and its number) to the
  // logical columns the user moves about.
  QHeaderView* entete = m_grille->horizontalHeader();
  for (int v = 0; v < kNbreChampsLieu; ++v) {
    int logique = entete->logicalIndex(v);
    auto* titre = m_grille->horizontalHeaderItem(logique);
    QString texte = VersQString(TitresChampsLieu[v]);
    if (!titre)
      m_grille->setHorizontalHeaderItem(logique, new QTableWidgetItem(texte));
    else
      titre->setText(texte);
  }
}

int TfmLieuConvert::LigneNumeros() const { return m_grille->rowCount() - 1; }

std::array<int, kNbreChampsLieu> TfmLieuConvert::Colonnes() const {
  std::array<int, kNbreChampsLieu> colonnes{};
  QHeaderView* entete = m_grille->horizontalHeader();
  for (int v = 0; v < kNbreChampsLieu; ++v) {
    QTableWidgetItem* item = m_grille->item(LigneNumeros(), entete->logicalIndex(v));
    std::string texte = item ? DepuisQString(item->text().trimmed()) : std::string();
    int n = EstEntier(texte) ? TexteVersEntier(texte, 1) : 1;
    colonnes[v] = (n >= 1 && n <= kNbreChampsLieu) ? n : 1;
  }
  return colonnes;
}

OptionsConversionLieux TfmLieuConvert::Options() const {
  OptionsConversionLieux options;
  options.colonnes = Colonnes();
  options.normaliser = m_normaliser->isChecked();
  options.franceParDefaut = m_france->isChecked();
  return options;
}

void TfmLieuConvert::Convertit() {
  if (m_enCours) return;
  m_enCours = true;
  m_arret = false;
  OptionsConversionLieux options = Options();
  std::vector<std::string> avant = CopieLieux(m_bd);
  uint8_t modifieeAvant = m_bd.BaseModifiee;

  m_convertir->setEnabled(false);
  m_grille->setEnabled(false);
  m_normaliser->setEnabled(false);
  m_france->setEnabled(false);
  m_progression->setRange(0, std::max(1, m_bd.NbreEve()));
  m_progression->setValue(0);
  m_progression->setVisible(true);
  QApplication::setOverrideCursor(Qt::WaitCursor);
  ResultatConversionLieux resultat =
      ConvertitLieux(m_bd, options, [this](long long fait, long long total) {
        m_progression->setMaximum(static_cast<int>(std::max(1LL, total)));
        m_progression->setValue(static_cast<int>(std::min(fait, total)));
        // Keeps the window alive and lets the user stop the work.
        QApplication::processEvents();
        return !m_arret;
      });
  QApplication::restoreOverrideCursor();
  m_enCours = false;

  if (resultat.annule || m_arret) {
    RemetLieux(m_bd, avant);
    m_bd.BaseModifiee = modifieeAvant;
    m_nbreModifies = 0;
    QDialog::reject();
    return;
  }
  m_nbreModifies = resultat.nbreModifies;
  m_progression->setValue(m_progression->maximum());
  accept();
}

void TfmLieuConvert::reject() {
  if (m_enCours) {
    m_arret = true;
    return;
  }
  QDialog::reject();
}

bool ConversionLieux(QWidget* parent, TBD& bd, const TTraduction& trad) {
  TfmLieuConvert fenetre(bd, trad, parent);
  return fenetre.exec() == QDialog::Accepted;
}

}  // namespace kindrela

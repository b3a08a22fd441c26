#include "gui/dates/place_picker.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QStringListModel>
#include <QVBoxLayout>

#include "core/ansi_literal.h"
#include "gui/common/qt_text.h"
#include "dates/places.h"
#include "gui/i18n/translate_window.h"

namespace kindrela {
namespace {

// Lower case without accents, so that "ecully" finds "Écully".
QString Plie(const QString& texte) {
  QString decompose = texte.normalized(QString::NormalizationForm_D);
  QString resultat;
  resultat.reserve(decompose.size());
  for (QChar c : decompose) {
    if (c.category() == QChar::Mark_NonSpacing) continue;
    resultat.append(c);
  }
  return resultat.toCaseFolded();
}

}  // namespace

TfmLieuV3::TfmLieuV3(const std::string& dossierLieux, const std::string& lieuActuel,
                     const TTraduction& trad, QWidget* parent)
    : QDialog(parent), m_dossier(dossierLieux), m_lieuActuel(lieuActuel) {
  setObjectName("fmLieuV3");
  setWindowTitle(VersQString("Liste des lieux"));
  setModal(true);

  auto* principal = new QVBoxLayout(this);
  auto* haut = new QGridLayout;
  auto* etiquetteListe = new QLabel(VersQString("&Liste :"), this);
  etiquetteListe->setObjectName("lbListe");
  m_listes = new QComboBox(this);
  m_listes->setObjectName("cbLieu");
  etiquetteListe->setBuddy(m_listes);
  haut->addWidget(etiquetteListe, 0, 0);
  haut->addWidget(m_listes, 0, 1);

  auto* etiquette = new QLabel(VersQString("&Rechercher :"), this);
  etiquette->setObjectName("lbFiltre");
  m_filtre = new QLineEdit(this);
  m_filtre->setObjectName("edFiltre");
  m_filtre->setClearButtonEnabled(true);
  m_filtre->setToolTip(VersQString(
      "Ne montre que les lieux contenant chacun des mots tapés (majuscules et accents "
      "indifférents)"_ansi));
  etiquette->setBuddy(m_filtre);
  haut->addWidget(etiquette, 1, 0);
  haut->addWidget(m_filtre, 1, 1);
  haut->setColumnStretch(1, 1);
  principal->addLayout(haut);

  m_modele = new QStringListModel(this);
  m_vue = new QListView(this);
  m_vue->setObjectName("lbLieu");
  m_vue->setModel(m_modele);
  m_vue->setUniformItemSizes(true);  // tens of thousands of lines
  m_vue->setEditTriggers(QAbstractItemView::NoEditTriggers);
  m_vue->setSelectionMode(QAbstractItemView::SingleSelection);
  principal->addWidget(m_vue, 1);

  auto* boutons = new QHBoxLayout;
  boutons->addStretch(1);
  auto* ok = new QPushButton(VersQString("&OK"), this);
  ok->setObjectName("btOK");
  ok->setDefault(true);
  auto* annuler = new QPushButton(VersQString("&Annuler"), this);
  annuler->setObjectName("btAnnuler");
  boutons->addWidget(ok);
  boutons->addWidget(annuler);
  principal->addLayout(boutons);

  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(annuler, &QPushButton::clicked, this, &QDialog::reject);
  connect(m_listes, &QComboBox::currentIndexChanged, this, [this](int i) { ChargeListe(i); });
  connect(m_filtre, &QLineEdit::textChanged, this, [this] { Filtre(); });
  connect(m_vue, &QListView::clicked, this, [this](const QModelIndex& i) { Choisit(i); });
  connect(m_vue, &QListView::doubleClicked, this, [this](const QModelIndex& i) {
    if (!i.isValid()) return;
    Choisit(i);
    accept();
  });
  connect(m_vue->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& i) { Choisit(i); });
  m_filtre->installEventFilter(this);

  m_noms = ListesDeLieux(m_dossier);
  {
    QSignalBlocker bloque(m_listes);
    for (const auto& nom : m_noms) m_listes->addItem(VersQString(nom));
  }
  if (!m_noms.empty()) {
    m_listes->setCurrentIndex(0);
    ChargeListe(0);
  }

  TraduitFenetre(this, trad);
  m_filtre->setFocus();
  resize(520, 600);
}

void TfmLieuV3::ChargeListe(int index) {
  m_lignes.clear();
  m_cles.clear();
  if (index >= 0 && index < static_cast<int>(m_noms.size())) {
    std::vector<std::string> lignes = LitListeDeLieux(m_dossier, m_noms[index]);
    m_lignes.reserve(static_cast<qsizetype>(lignes.size()));
    for (const auto& l : lignes) m_lignes.append(VersQString(l));
  }
  // A line of another list is no longer on show: start again from the
  // current place, selected when this list holds it.
  m_choix = m_lieuActuel;
  Filtre();
}

void TfmLieuV3::Filtre() {
  QStringList mots = Plie(m_filtre->text()).split(' ', Qt::SkipEmptyParts);
  QStringList affichees;
  if (mots.isEmpty()) {
    affichees = m_lignes;
  } else {
    // Folded on the first use of the filter only: most pickings need none.
    if (m_cles.size() != m_lignes.size()) {
      m_cles.clear();
      m_cles.reserve(m_lignes.size());
      for (const QString& l : m_lignes) m_cles.append(Plie(l));
    }
    for (qsizetype i = 0; i < m_lignes.size(); ++i) {
      bool garde = true;
      for (const QString& mot : mots)
        if (!m_cles[i].contains(mot)) { garde = false; break; }
      if (garde) affichees.append(m_lignes[i]);
    }
  }
  {
    // Resetting the model loses the current line; it is set again below.
    QSignalBlocker bloque(m_vue->selectionModel());
    m_modele->setStringList(affichees);
  }
  // The line chosen before stays chosen while it matches; otherwise the
  // first match is taken so that Enter picks it.
  qsizetype ligne = affichees.indexOf(VersQString(m_choix));
  if (ligne < 0 && !mots.isEmpty() && !affichees.isEmpty()) ligne = 0;
  if (ligne >= 0) {
    QModelIndex i = m_modele->index(static_cast<int>(ligne));
    m_vue->setCurrentIndex(i);  // remembered through currentChanged
    m_vue->scrollTo(i, QAbstractItemView::PositionAtCenter);
  } else {
    m_vue->selectionModel()->clearSelection();
    m_choix = m_lieuActuel;
  }
}

void TfmLieuV3::Choisit(const QModelIndex& index) {
  if (!index.isValid()) return;
  m_choix = DepuisQString(index.data().toString());
}

std::string TfmLieuV3::Lieu() const {
  return result() == QDialog::Accepted ? m_choix : m_lieuActuel;
}

QStringList TfmLieuV3::LignesAffichees() const { return m_modele->stringList(); }

bool TfmLieuV3::eventFilter(QObject* objet, QEvent* evenement) {
  // The arrows move in the list while the caret stays in the filter.
  if (objet == m_filtre && evenement->type() == QEvent::KeyPress) {
    switch (static_cast<QKeyEvent*>(evenement)->key()) {
      case Qt::Key_Up:
      case Qt::Key_Down:
      case Qt::Key_PageUp:
      case Qt::Key_PageDown:
        QCoreApplication::sendEvent(m_vue, evenement);
        return true;
      default:
        break;
    }
  }
  return QDialog::eventFilter(objet, evenement);
}

std::string ChoixLieu(QWidget* owner, const std::string& dossierLieux, const std::string& lieuActuel,
                      const TTraduction& trad) {
  TfmLieuV3 fenetre(dossierLieux, lieuActuel, trad, owner);
  fenetre.exec();
  return fenetre.Lieu();
}

}  // namespace kindrela

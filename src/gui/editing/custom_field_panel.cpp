#include "gui/editing/custom_field_panel.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSplitter>
#include <QVBoxLayout>

#include "gui/common/qt_text.h"

namespace kindrela {
namespace {

// Row heights follow the font so that nothing is clipped at any size.
int HauteurLigne(const QWidget* w) { return w->fontMetrics().height() + 8; }
int HauteurMemo(const QWidget* w) { return 3 * w->fontMetrics().lineSpacing() + 12; }

// The separator never reaches a value: typed or pasted, it becomes a space.
QString SansBarre(QString texte) { return texte.replace('|', ' '); }

}  // namespace

// ---------------------------------------------------------------------------

TRButton::TRButton(QWidget* parent) : QWidget(parent) {
  auto* ligne = new QHBoxLayout(this);
  ligne->setContentsMargins(0, 0, 0, 0);
  ligne->setSpacing(12);
  m_oui = new QRadioButton("Oui", this);
  m_non = new QRadioButton("Non", this);
  m_nul = new QRadioButton("Nul", this);
  m_oui->setObjectName("rbOui");
  m_non->setObjectName("rbNon");
  m_nul->setObjectName("rbNul");
  for (QRadioButton* b : {m_oui, m_non, m_nul}) {
    ligne->addWidget(b);
    connect(b, &QRadioButton::toggled, this, [this](bool coche) {
      if (coche) emit Change();
    });
  }
  ligne->addStretch(1);
  m_nul->setChecked(true);
}

std::string TRButton::Valeur() const {
  if (m_oui->isChecked()) return std::string(kOui);
  if (m_non->isChecked()) return std::string(kNon);
  return {};
}

void TRButton::SetValeur(const std::string& valeur) {
  const QSignalBlocker b1(m_oui), b2(m_non), b3(m_nul);
  QRadioButton* boutons[3] = {m_oui, m_non, m_nul};
  boutons[BoutonOuiNon(valeur)]->setChecked(true);
}

// ---------------------------------------------------------------------------

TChamp::TChamp(QWidget* parent) : QScrollArea(parent) {
  setObjectName("PChp");
  setWidgetResizable(true);
  setFrameShape(QFrame::StyledPanel);
  m_contenu = new QWidget;
  m_contenu->setObjectName("PChpContenu");
  auto* colonne = new QVBoxLayout(m_contenu);
  colonne->setContentsMargins(4, 4, 4, 4);
  m_colonnes = new QSplitter(Qt::Horizontal, m_contenu);
  m_colonnes->setObjectName("PChpSplit");
  m_colonnes->setChildrenCollapsible(false);
  auto* gauche = new QWidget(m_colonnes);
  auto* droite = new QWidget(m_colonnes);
  m_etiquettes = new QVBoxLayout(gauche);
  m_editeurs = new QVBoxLayout(droite);
  for (QVBoxLayout* l : {m_etiquettes, m_editeurs}) {
    l->setContentsMargins(0, 0, 0, 0);
    l->setSpacing(4);
  }
  m_colonnes->addWidget(gauche);
  m_colonnes->addWidget(droite);
  m_colonnes->setStretchFactor(1, 1);
  connect(m_colonnes, &QSplitter::splitterMoved, this, [this](int position, int) {
    m_split = position;
    m_splitChoisi = true;
  });
  m_ajout = new QPushButton("Ajouter un nouveau champ...", m_contenu);
  m_ajout->setObjectName("btAjouteChamp");
  auto* bas = new QHBoxLayout;
  bas->addWidget(m_ajout);
  bas->addStretch(1);
  colonne->addWidget(m_colonnes);
  colonne->addLayout(bas);
  colonne->addStretch(1);
  setWidget(m_contenu);
  SetSplit(m_split);
}

int TChamp::Split() const { return m_split; }

void TChamp::SetSplit(int largeur) {
  m_split = std::max(20, largeur);
  m_colonnes->setSizes({m_split, std::max(100, width() - m_split)});
}

int TChamp::Hauteur() const {
  int h = 0;
  for (const Ligne& l : m_lignes) h += l.editeur->sizeHint().height() + 4;
  return std::max(0, h - 6);
}

QWidget* TChamp::Editeur(int i) const {
  return i >= 0 && i < NbreChamps() ? m_lignes[static_cast<size_t>(i)].editeur : nullptr;
}

const TChamp::Ligne* TChamp::LigneDe(const QWidget* editeur) const {
  for (const Ligne& l : m_lignes)
    if (l.editeur == editeur) return &l;
  return nullptr;
}

std::string TChamp::SorteDe(const QWidget* editeur) const {
  const Ligne* l = LigneDe(editeur);
  return l ? l->champ.sorte : std::string();
}

std::string TChamp::LibelleDe(const QWidget* editeur) const {
  const Ligne* l = LigneDe(editeur);
  return l ? l->champ.libelle : std::string();
}

void TChamp::SetChamp(const std::string& champ) {
  m_remplissage = true;
  for (Ligne& l : m_lignes) {
    delete l.etiquette;
    delete l.editeur;
  }
  m_lignes.clear();
  for (TChp::Champ& c : FusionneChamps(m_definitions, champ).champs) AjouteLigne(std::move(c));
  m_remplissage = false;
  AjusteSplit();
}

void TChamp::AjusteSplit() {
  // Until the user drags it, the label column widens to show the labels whole, within reason.
  if (m_splitChoisi) return;
  int largeur = kSplitDefaut;
  for (const Ligne& l : m_lignes) largeur = std::max(largeur, l.etiquette->sizeHint().width() + 8);
  SetSplit(std::min(largeur, kSplitMax));
}

void TChamp::AjouteChamp(const std::string& sorte, const std::string& libelle) {
  AjouteLigne({sorte, libelle, {}});
  AjusteSplit();
  QWidget* editeur = m_lignes.back().editeur;
  ensureWidgetVisible(editeur);
  editeur->setFocus();
}

void TChamp::AjouteLigne(TChp::Champ champ) {
  QWidget* colonneG = m_etiquettes->parentWidget();
  QWidget* colonneD = m_editeurs->parentWidget();
  const int i = NbreChamps();
  auto* etiquette = new QLabel(VersQString(champ.libelle), colonneG);
  etiquette->setObjectName(QString("lChamp%1").arg(i));
  etiquette->setToolTip(etiquette->text());
  QWidget* editeur = nullptr;
  int hauteur = HauteurLigne(this);
  if (champ.sorte == "m") {
    auto* memo = new QPlainTextEdit(colonneD);
    memo->setFrameShape(QFrame::NoFrame);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo->setTabChangesFocus(true);
    memo->setPlainText(VersQString(champ.valeur));
    hauteur = HauteurMemo(this);
    connect(memo, &QPlainTextEdit::textChanged, this, [this, memo] {
      // A separator typed or pasted becomes a space, in place.
      const QString texte = memo->toPlainText();
      if (texte.contains('|')) {
        QTextCursor c = memo->textCursor();
        const int position = c.position();
        const QSignalBlocker bloque(memo);
        memo->setPlainText(SansBarre(texte));
        c = memo->textCursor();
        c.setPosition(std::min(position, static_cast<int>(memo->toPlainText().size())));
        memo->setTextCursor(c);
      }
      EditeurChange(memo);
    });
    editeur = memo;
  } else if (champ.sorte == "r") {
    auto* oui = new TRButton(colonneD);
    oui->SetValeur(champ.valeur);
    connect(oui, &TRButton::Change, this, [this, oui] { EditeurChange(oui); });
    editeur = oui;
  } else {
    auto* ligne = new QLineEdit(colonneD);
    ligne->setFrame(false);
    ligne->setText(VersQString(champ.valeur));
    ligne->setCursorPosition(0);
    connect(ligne, &QLineEdit::textChanged, this, [this, ligne](const QString& texte) {
      if (texte.contains('|')) {
        const int position = ligne->cursorPosition();
        const QSignalBlocker bloque(ligne);
        ligne->setText(SansBarre(texte));
        ligne->setCursorPosition(position);
      }
      EditeurChange(ligne);
    });
    editeur = ligne;
  }
  editeur->setObjectName(QString("eChamp%1").arg(i));
  editeur->setFixedHeight(hauteur);
  etiquette->setFixedHeight(hauteur);
  etiquette->setAlignment(champ.sorte == "m" ? Qt::AlignLeft | Qt::AlignTop
                                             : Qt::AlignLeft | Qt::AlignVCenter);
  editeur->installEventFilter(this);
  m_etiquettes->addWidget(etiquette);
  m_editeurs->addWidget(editeur);
  // Rows added to a panel on screen show at once, so that they can take the focus.
  etiquette->show();
  editeur->show();
  m_lignes.push_back({std::move(champ), etiquette, editeur});
}

std::string TChamp::ValeurDe(const Ligne& ligne) const {
  if (auto* memo = qobject_cast<QPlainTextEdit*>(ligne.editeur))
    return SansSeparateur(DepuisQString(memo->toPlainText()));
  if (auto* oui = qobject_cast<TRButton*>(ligne.editeur)) return oui->Valeur();
  if (auto* edit = qobject_cast<QLineEdit*>(ligne.editeur))
    return SansSeparateur(DepuisQString(edit->text()));
  return {};
}

std::string TChamp::Champ() const {
  TChp chp;
  for (const Ligne& l : m_lignes) {
    TChp::Champ c = l.champ;
    c.valeur = ValeurDe(l);
    chp.champs.push_back(std::move(c));
  }
  return EcritChamps(chp);
}

void TChamp::EditeurChange(QWidget* editeur) {
  if (m_remplissage) return;
  const Ligne* l = LigneDe(editeur);
  if (!l) return;
  emit ChampChange(VersQString(l->champ.sorte), VersQString(l->champ.libelle),
                   VersQString(ValeurDe(*l)));
}

bool TChamp::eventFilter(QObject* objet, QEvent* evenement) {
  if (evenement->type() == QEvent::FocusOut) {
    auto* edit = qobject_cast<QLineEdit*>(objet);
    const Ligne* l = edit ? LigneDe(edit) : nullptr;
    if (l && l->champ.sorte == "d") emit DateExit(edit);
    if (l && l->champ.sorte == "l") emit LieuExit(edit);
  }
  return QScrollArea::eventFilter(objet, evenement);
}

}  // namespace kindrela

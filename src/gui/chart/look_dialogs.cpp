#include "gui/chart/look_dialogs.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/ansi_literal.h"
#include "gui/common/qt_text.h"
#include "i18n/translation.h"
#include "gui/i18n/translate_window.h"

namespace kindrela {

namespace {

QString T(const char* ansi) {
  return VersQString(ansi);
}

void Appelle(const std::function<void()>& f) {
  if (f) f();
}

QSpinBox* Spin(QWidget* parent, const char* nom, int min, int max, int valeur) {
  auto* s = new QSpinBox(parent);
  s->setObjectName(nom);
  s->setRange(min, max);
  s->setValue(std::clamp(valeur, min, max));
  return s;
}

// A track bar kept equal to its spin box, both ways.
QSlider* Barre(QWidget* parent, const char* nom, QSpinBox* spin) {
  auto* b = new QSlider(Qt::Horizontal, parent);
  b->setObjectName(nom);
  b->setRange(spin->minimum(), spin->maximum());
  b->setValue(spin->value());
  QObject::connect(b, &QSlider::valueChanged, spin, &QSpinBox::setValue);
  QObject::connect(spin, &QSpinBox::valueChanged, b, &QSlider::setValue);
  return b;
}

QCheckBox* Case(QWidget* parent, const char* nom, const char* texte, bool coche = false) {
  auto* c = new QCheckBox(T(texte), parent);
  c->setObjectName(nom);
  c->setChecked(coche);
  return c;
}

QLabel* Etiquette(QWidget* parent, const char* nom, const char* texte) {
  auto* l = new QLabel(T(texte), parent);
  l->setObjectName(nom);
  return l;
}

// "Ok" and "Annuler" at the bottom of a dialog.
QDialogButtonBox* Boutons(QDialog* d) {
  auto* boite = new QDialogButtonBox(d);
  auto* ok = boite->addButton(T("Ok"), QDialogButtonBox::AcceptRole);
  ok->setObjectName("btOk");
  ok->setDefault(true);
  auto* annuler = boite->addButton(T("Annuler"), QDialogButtonBox::RejectRole);
  annuler->setObjectName("btAnnuler");
  QObject::connect(boite, &QDialogButtonBox::accepted, d, &QDialog::accept);
  QObject::connect(boite, &QDialogButtonBox::rejected, d, &QDialog::reject);
  return boite;
}

QToolButton* BoutonStyle(QWidget* parent, const char* nom, const char* texte) {
  auto* b = new QToolButton(parent);
  b->setObjectName(nom);
  b->setText(T(texte));
  b->setCheckable(true);
  b->setToolButtonStyle(Qt::ToolButtonTextOnly);
  b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  return b;
}

}  // namespace

// ---------------------------------------------------------------- arrangement

TFenetreApparence::TFenetreApparence(const TTraduction& trad, T1Aff& aff1, T1Aff& aff2,
                                     TDrapeauxArbre& drapeaux, TActionsArbre actions,
                                     QWidget* parent)
    : QDialog(parent),
      m_aff1(aff1),
      m_aff2(aff2),
      m_drapeaux(drapeaux),
      m_actions(std::move(actions)),
      m_style1(aff1.Style),
      m_style2(aff2.Style),
      m_drapeauxAvant(drapeaux) {
  setObjectName("fmApparence");
  setWindowTitle(T("Apparence de l'arbre"));
  auto* asc = new QGroupBox(T("Ascendance"), this);
  asc->setObjectName("gbAscendance");
  auto* lAsc = new QVBoxLayout(asc);
  m_asc = {
      BoutonStyle(asc, "sbAscGroupe", "Groupé"_ansi), BoutonStyle(asc, "sbAscCompactV", "Compact"),
      BoutonStyle(asc, "sbAscCompactH", "Compact"), BoutonStyle(asc, "sbAscVertical", "Vertical"),
      BoutonStyle(asc, "sbAscHorizontal", "Horizontal")};
  m_asc[1]->setToolTip(T("Compact vertical"));
  m_asc[2]->setToolTip(T("Compact horizontal"));
  for (auto* b : m_asc) lAsc->addWidget(b);
  auto* desc = new QGroupBox(T("Descendance"), this);
  desc->setObjectName("gbDescendance");
  auto* lDesc = new QVBoxLayout(desc);
  m_desc = {BoutonStyle(desc, "sbDescGroupe", "Groupé"_ansi),
            BoutonStyle(desc, "sbDescVertical", "Vertical"),
            BoutonStyle(desc, "sbDescHorizontal", "Horizontal")};
  for (auto* b : m_desc) lDesc->addWidget(b);
  m_conjoint = Case(desc, "cbConjoint", "Le dernier conjoint", drapeaux.afficheConjoint);
  m_fratrie = Case(desc, "cbFratrie", "La fratrie", drapeaux.afficheFratrie);
  lDesc->addWidget(m_conjoint);
  lDesc->addWidget(m_fratrie);
  lDesc->addStretch();

  auto* groupes = new QHBoxLayout;
  groupes->addWidget(asc);
  groupes->addWidget(desc);
  auto* principal = new QVBoxLayout(this);
  principal->addLayout(groupes);
  principal->addWidget(Boutons(this));

  if (aff1.Style >= 1 && aff1.Style <= 5) m_asc[aff1.Style - 1]->setChecked(true);
  if (aff2.Style >= 1 && aff2.Style <= 3) m_desc[aff2.Style - 1]->setChecked(true);
  for (auto* b : m_asc) connect(b, &QAbstractButton::clicked, this, [this, b] { Clic(b); });
  for (auto* b : m_desc) connect(b, &QAbstractButton::clicked, this, [this, b] { Clic(b); });
  connect(m_conjoint, &QAbstractButton::clicked, this, [this] { Clic(m_conjoint); });
  connect(m_fratrie, &QAbstractButton::clicked, this, [this] { Clic(m_fratrie); });
  AppliqueRegles();
  TraduitFenetre(this, trad);
}

void TFenetreApparence::Clic(QAbstractButton* bouton) {
  // Within a group at most one button stays pressed; pressing the pressed
  // one again leaves the group empty (that half is not drawn).
  auto exclusif = [bouton](auto& groupe) {
    for (auto* b : groupe)
      if (b == bouton && b->isChecked())
        for (auto* autre : groupe)
          if (autre != b) autre->setChecked(false);
  };
  exclusif(m_asc);
  exclusif(m_desc);
  AppliqueRegles();
  Stocke();
  m_change = true;
  Appelle(m_actions.reconstruit);
}

void TFenetreApparence::AppliqueRegles() {
  auto presse = [](QAbstractButton* b) { return b->isChecked(); };
  const bool descVertical = presse(m_desc[kDescVertical - 1]);
  const bool descHorizontal = presse(m_desc[kDescHorizontal - 1]);
  const bool ascGroupeOuHorizontal = presse(m_asc[kAscCompactHorizontal - 1]) ||
                                     presse(m_asc[kAscGroupe - 1]) ||
                                     presse(m_asc[kAscHorizontal - 1]);
  const bool ascVertical =
      presse(m_asc[kAscCompactVertical - 1]) || presse(m_asc[kAscVertical - 1]);
  m_asc[kAscCompactVertical - 1]->setEnabled(!descHorizontal);
  m_asc[kAscVertical - 1]->setEnabled(!descHorizontal);
  m_asc[kAscCompactHorizontal - 1]->setEnabled(!descVertical);
  m_asc[kAscGroupe - 1]->setEnabled(!descVertical);
  m_asc[kAscHorizontal - 1]->setEnabled(!descVertical);
  m_desc[kDescVertical - 1]->setEnabled(!ascGroupeOuHorizontal);
  m_desc[kDescHorizontal - 1]->setEnabled(!ascVertical);
  bool unDesc = false;
  for (auto* b : m_desc) unDesc = unDesc || presse(b);
  m_conjoint->setEnabled(unDesc);
  m_fratrie->setEnabled(descVertical || descHorizontal);
}

void TFenetreApparence::Stocke() {
  std::uint8_t s1 = 0, s2 = 0;
  for (int i = 0; i < 5; ++i)
    if (m_asc[i]->isChecked()) s1 = static_cast<std::uint8_t>(i + 1);
  for (int i = 0; i < 3; ++i)
    if (m_desc[i]->isChecked()) s2 = static_cast<std::uint8_t>(i + 1);
  m_aff1.Style = s1;
  m_aff2.Style = s2;
  m_drapeaux.afficheConjoint = m_conjoint->isChecked();
  m_drapeaux.afficheFratrie = m_fratrie->isChecked();
}

void TFenetreApparence::done(int r) {
  if (r != Accepted && m_change) {
    m_aff1.Style = m_style1;
    m_aff2.Style = m_style2;
    m_drapeaux = m_drapeauxAvant;
    Appelle(m_actions.reconstruit);
  }
  QDialog::done(r);
}

// ----------------------------------------------------------------------- gaps

TFenetreEcart::TFenetreEcart(const TTraduction& trad, T1Aff& aff1, T1Aff& aff2,
                             TActionsArbre actions, QWidget* parent)
    : QDialog(parent),
      m_aff1(aff1),
      m_aff2(aff2),
      m_actions(std::move(actions)),
      m_avant1(aff1),
      m_avant2(aff2) {
  setObjectName("fmEcart");
  setWindowTitle(T("Ecart entre les cellules"));
  auto* choix = new QGroupBox(this);
  choix->setObjectName("gbMoitie");
  auto* lChoix = new QHBoxLayout(choix);
  const char* noms[3] = {"rbAscendance", "rbDescendance", "rbLesDeux"};
  const char* textes[3] = {"Ascendance", "Descendance", "Les deux"};
  for (int i = 0; i < 3; ++i) {
    m_choix[i] = new QRadioButton(T(textes[i]), choix);
    m_choix[i]->setObjectName(noms[i]);
    lChoix->addWidget(m_choix[i]);
  }
  m_choix[2]->setChecked(true);
  m_horz = Spin(this, "seHorz", 0, 300, aff1.EcartHorz);
  m_vert = Spin(this, "seVert", 0, 300, aff1.EcartVert);
  m_barreHorz = Barre(this, "tbHorz", m_horz);
  m_barreVert = Barre(this, "tbVert", m_vert);
  m_direct = Case(this, "cbDirect", "Appliquer à chaque modification"_ansi);

  auto* grille = new QGridLayout;
  grille->addWidget(Etiquette(this, "lHorz", "Ecart horizontal (%)"), 0, 0);
  grille->addWidget(m_barreHorz, 0, 1);
  grille->addWidget(m_horz, 0, 2);
  grille->addWidget(Etiquette(this, "lVert", "Ecart vertical (%)"), 1, 0);
  grille->addWidget(m_barreVert, 1, 1);
  grille->addWidget(m_vert, 1, 2);
  auto* principal = new QVBoxLayout(this);
  principal->addWidget(choix);
  principal->addLayout(grille);
  principal->addWidget(m_direct);
  principal->addWidget(Boutons(this));

  for (auto* r : m_choix)
    connect(r, &QRadioButton::toggled, this, [this](bool coche) {
      if (coche) MontreMoitie();
    });
  auto change = [this] {
    if (!m_chargement && m_direct->isChecked()) Applique();
  };
  connect(m_horz, &QSpinBox::valueChanged, this, change);
  connect(m_vert, &QSpinBox::valueChanged, this, change);
  TraduitFenetre(this, trad);
}

void TFenetreEcart::MontreMoitie() {
  const T1Aff& a = m_choix[1]->isChecked() ? m_aff2 : m_aff1;
  m_chargement = true;
  m_horz->setValue(a.EcartHorz);
  m_vert->setValue(a.EcartVert);
  m_chargement = false;
}

void TFenetreEcart::Applique() {
  auto pose = [this](T1Aff& a) {
    a.EcartHorz = m_horz->value();
    a.EcartVert = m_vert->value();
  };
  if (!m_choix[1]->isChecked()) pose(m_aff1);
  if (!m_choix[0]->isChecked()) pose(m_aff2);
  m_change = true;
  Appelle(m_actions.reconstruit);
}

void TFenetreEcart::done(int r) {
  if (r == Accepted) {
    if (!m_direct->isChecked()) Applique();
  } else if (m_change) {
    m_aff1.EcartHorz = m_avant1.EcartHorz;
    m_aff1.EcartVert = m_avant1.EcartVert;
    m_aff2.EcartHorz = m_avant2.EcartHorz;
    m_aff2.EcartVert = m_avant2.EcartVert;
    Appelle(m_actions.reconstruit);
  }
  QDialog::done(r);
}

// ---------------------------------------------------------------------- width

TFenetreLargeur::TFenetreLargeur(const TTraduction& trad, T1Aff& aff1, T1Aff& aff2,
                                 TActionsArbre actions, QWidget* parent)
    : QDialog(parent),
      m_aff1(aff1),
      m_aff2(aff2),
      m_actions(std::move(actions)),
      m_avant1(aff1.Large),
      m_avant2(aff2.Large) {
  setObjectName("fmLargeur");
  setWindowTitle(T("Largeur des cellules"));
  m_large1 = Spin(this, "seLarge1", 1, 1000, aff1.Large);
  m_large2 = Spin(this, "seLarge2", 1, 1000, aff2.Large);
  m_barre1 = Barre(this, "tbLarge1", m_large1);
  m_barre2 = Barre(this, "tbLarge2", m_large2);
  m_direct = Case(this, "cbDirect", "Appliquer à chaque modification"_ansi);
  auto* grille = new QGridLayout;
  grille->addWidget(Etiquette(this, "lAscendance", "Ascendance"), 0, 0);
  grille->addWidget(m_barre1, 0, 1);
  grille->addWidget(m_large1, 0, 2);
  grille->addWidget(Etiquette(this, "lDescendance", "Descendance"), 1, 0);
  grille->addWidget(m_barre2, 1, 1);
  grille->addWidget(m_large2, 1, 2);
  auto* principal = new QVBoxLayout(this);
  principal->addLayout(grille);
  principal->addWidget(m_direct);
  principal->addWidget(Boutons(this));
  auto change = [this] {
    if (m_direct->isChecked()) Applique();
  };
  connect(m_large1, &QSpinBox::valueChanged, this, change);
  connect(m_large2, &QSpinBox::valueChanged, this, change);
  TraduitFenetre(this, trad);
}

void TFenetreLargeur::Applique() {
  m_aff1.Large = m_large1->value();
  m_aff2.Large = m_large2->value();
  m_change = true;
  Appelle(m_actions.reconstruit);
}

void TFenetreLargeur::done(int r) {
  if (r == Accepted) {
    if (!m_direct->isChecked()) Applique();
  } else if (m_change) {
    m_aff1.Large = m_avant1;
    m_aff2.Large = m_avant2;
    Appelle(m_actions.reconstruit);
  }
  QDialog::done(r);
}

// ---------------------------------------------------------------- generations

TFenetreGeneration::TFenetreGeneration(const TTraduction& trad, T1Aff& aff1, T1Aff& aff2,
                                       QWidget* parent)
    : QDialog(parent), m_aff1(aff1), m_aff2(aff2) {
  setObjectName("fmGeneration");
  setWindowTitle(T("Génération"_ansi));
  m_gen1 = Spin(this, "seGen1", 0, 999, aff1.NbreGen);
  m_gen2 = Spin(this, "seGen2", 0, 999, aff2.NbreGen);
  auto* grille = new QGridLayout;
  grille->addWidget(Etiquette(this, "lGen1", "Nombre maximum de génération d'ascendant"_ansi), 0,
                    0);
  grille->addWidget(m_gen1, 0, 1);
  grille->addWidget(Etiquette(this, "lGen2", "Nombre maximum de génération de descendant"_ansi), 1,
                    0);
  grille->addWidget(m_gen2, 1, 1);
  auto* principal = new QVBoxLayout(this);
  principal->addLayout(grille);
  principal->addWidget(Boutons(this));
  TraduitFenetre(this, trad);
}

void TFenetreGeneration::done(int r) {
  if (r == Accepted) {
    m_aff1.NbreGen = m_gen1->value();
    m_aff2.NbreGen = m_gen2->value();
  }
  QDialog::done(r);
}

// ----------------------------------------------------------------------- zoom

TFenetreZoom::TFenetreZoom(const TTraduction& trad, T1Aff& aff1, T1Aff& aff2, bool& zoomAuto,
                           TActionsArbre actions, QWidget* parent)
    : QDialog(parent),
      m_aff1(aff1),
      m_aff2(aff2),
      m_zoomAuto(zoomAuto),
      m_actions(std::move(actions)),
      m_avant1(aff1.Zoom),
      m_avant2(aff2.Zoom),
      m_autoAvant(zoomAuto) {
  setObjectName("fmZoom");
  setWindowTitle(T("Facteur de zoom pour l'affichage de l'arbre"));
  m_zoom = Spin(this, "seZoom", 1, 1000, aff1.Zoom);
  m_zoom->setSuffix("%");
  m_barre = Barre(this, "tbZoom", m_zoom);
  m_auto = Case(this, "cbAuto",
                "Ajuster Automatiquement l'arbre à l'écran"_ansi,
                zoomAuto);
  auto* cent = new QPushButton(T("100%"), this);
  cent->setObjectName("bt100");
  m_cent = cent;
  m_direct = Case(this, "cbDirect", "Appliquer à chaque modification"_ansi);
  auto* ligne = new QHBoxLayout;
  ligne->addWidget(m_barre);
  ligne->addWidget(m_zoom);
  ligne->addWidget(cent);
  auto* principal = new QVBoxLayout(this);
  principal->addLayout(ligne);
  principal->addWidget(m_auto);
  principal->addWidget(m_direct);
  principal->addWidget(Boutons(this));
  m_zoom->setEnabled(!zoomAuto);
  m_barre->setEnabled(!zoomAuto);

  connect(m_zoom, &QSpinBox::valueChanged, this, [this] {
    if (!m_chargement && m_direct->isChecked()) Applique();
  });
  connect(m_auto, &QAbstractButton::clicked, this, [this](bool coche) {
    m_zoomAuto = coche;
    m_zoom->setEnabled(!coche);
    m_barre->setEnabled(!coche);
    m_change = true;
    if (!coche) return;
    Appelle(m_actions.zoomAuto);
    Appelle(m_actions.repositionne);
    MontreZoom(m_aff1.Zoom);
  });
  connect(cent, &QAbstractButton::clicked, this, [this] {
    m_auto->setChecked(false);
    m_zoomAuto = false;
    m_zoom->setEnabled(true);
    m_barre->setEnabled(true);
    m_zoom->setValue(100);
  });
  TraduitFenetre(this, trad);
}

void TFenetreZoom::MontreZoom(int z) {
  m_chargement = true;
  m_zoom->setValue(z);
  m_chargement = false;
}

void TFenetreZoom::Applique() {
  m_aff1.Zoom = m_zoom->value();
  m_aff2.Zoom = m_zoom->value();
  m_change = true;
  Appelle(m_actions.repositionne);
}

void TFenetreZoom::done(int r) {
  if (r == Accepted) {
    // The automatic zoom has already set both halves.
    if (!m_auto->isChecked() && !m_direct->isChecked()) Applique();
  } else if (m_change) {
    m_aff1.Zoom = m_avant1;
    m_aff2.Zoom = m_avant2;
    m_zoomAuto = m_autoAvant;
    Appelle(m_actions.repositionne);
  }
  QDialog::done(r);
}

// ---------------------------------------------------------------- print page

TFenetreZoomPage::TFenetreZoomPage(const TTraduction& trad, TReglagesPage& reglages,
                                   bool grilleVisible,
                                   std::function<void(const TReglagesPage&)> applique,
                                   TActionsArbre actions, QWidget* parent)
    : QDialog(parent),
      m_reglages(reglages),
      m_grille(grilleVisible),
      m_applique(std::move(applique)),
      m_actions(std::move(actions)),
      m_avant(reglages) {
  setObjectName("fmZoomPage");
  setWindowTitle(T("Zoom et croisement de la page"));
  // The zoom is entered in tenths of the stored value.
  m_zoom = Spin(this, "seZoom", 1, 10000, reglages.printZoom / 10);
  m_croise = Spin(this, "seCroise", 0, 49, reglages.printCroise);
  m_croise->setSuffix("%");
  m_marge = Spin(this, "seMarge", 0, 200, reglages.printMargeH);
  m_memePage =
      Case(this, "cbMemePage", "Tout imprimer sur la même page"_ansi, reglages.printZoomAuto);
  auto* methode = new QGroupBox(T("Méthode d'impression"_ansi), this);
  methode->setObjectName("gbMethode");
  auto* lMethode = new QVBoxLayout(methode);
  const char* noms[3] = {"rbDirecte", "rbBitmap", "rbSansEchec"};
  const char* textes[3] = {"Directe (plus rapide)", "Bitmap (plus lente)", "Mode sans echec"};
  for (int i = 0; i < 3; ++i) {
    m_methode[i] = new QRadioButton(T(textes[i]), methode);
    m_methode[i]->setObjectName(noms[i]);
    lMethode->addWidget(m_methode[i]);
  }
  m_methode[std::clamp(reglages.methode, 0, 2)]->setChecked(true);
  m_apercu =
      Case(this, "cbApercu", "Garder visible l'aperçu à l'impression"_ansi, reglages.garderApercu);
  m_direct = Case(this, "cbDirect", "Appliquer à chaques modifications"_ansi);

  auto* grille = new QGridLayout;
  grille->addWidget(Etiquette(this, "lZoom", "Zoom de la page (divisé par 10)"_ansi), 0, 0);
  grille->addWidget(m_zoom, 0, 1);
  grille->addWidget(Etiquette(this, "lCroise",
                              "Croisement des pages de 0 à 49 (Défaut 0%)"_ansi),
                    1, 0);
  grille->addWidget(m_croise, 1, 1);
  grille->addWidget(Etiquette(this, "lMarge", "Marge"), 2, 0);
  grille->addWidget(m_marge, 2, 1);
  auto* principal = new QVBoxLayout(this);
  principal->addLayout(grille);
  principal->addWidget(m_memePage);
  principal->addWidget(methode);
  principal->addWidget(m_apercu);
  principal->addWidget(m_direct);
  principal->addWidget(Boutons(this));

  for (QSpinBox* s : {m_zoom, m_croise, m_marge})
    connect(s, &QSpinBox::valueChanged, this, [this] { Change(); });
  for (QAbstractButton* b :
       {static_cast<QAbstractButton*>(m_apercu), static_cast<QAbstractButton*>(m_methode[0]),
        static_cast<QAbstractButton*>(m_methode[1]), static_cast<QAbstractButton*>(m_methode[2])})
    connect(b, &QAbstractButton::clicked, this, [this] { Change(); });
  connect(m_memePage, &QAbstractButton::clicked, this, [this](bool coche) {
    // One page for the whole chart leaves nothing to overlap.
    if (coche) {
      m_chargement = true;
      m_croise->setValue(0);
      m_chargement = false;
    }
    Change();
  });
  TraduitFenetre(this, trad);
}

TReglagesPage TFenetreZoomPage::Lit() const {
  TReglagesPage r = m_reglages;
  r.printZoom = m_zoom->value() * 10;
  r.printCroise = m_croise->value();
  r.printMargeH = m_marge->value();
  r.printMargeG = m_marge->value();
  r.printZoomAuto = m_memePage->isChecked();
  for (int i = 0; i < 3; ++i)
    if (m_methode[i]->isChecked()) r.methode = i;
  r.garderApercu = m_apercu->isChecked();
  return r;
}

void TFenetreZoomPage::Change() {
  if (m_chargement || !m_grille || !m_direct->isChecked()) return;
  m_reglages = Lit();
  m_change = true;
  if (m_applique) m_applique(m_reglages);
}

void TFenetreZoomPage::done(int r) {
  if (r == Accepted) {
    m_reglages = Lit();
    if (m_applique) m_applique(m_reglages);
    Appelle(m_actions.decaleZero);
  } else if (m_change) {
    m_reglages = m_avant;
    if (m_applique) m_applique(m_reglages);
  }
  QDialog::done(r);
}

// -------------------------------------------------------------------- openers

bool EditeApparence(QWidget* parent, const TTraduction& trad, T1Aff& aff1, T1Aff& aff2,
                    TDrapeauxArbre& drapeaux, TActionsArbre actions) {
  TFenetreApparence f(trad, aff1, aff2, drapeaux, std::move(actions), parent);
  return f.exec() == QDialog::Accepted;
}

bool EditeEcart(QWidget* parent, const TTraduction& trad, T1Aff& aff1, T1Aff& aff2,
                TActionsArbre actions) {
  TFenetreEcart f(trad, aff1, aff2, std::move(actions), parent);
  return f.exec() == QDialog::Accepted;
}

bool EditeLargeur(QWidget* parent, const TTraduction& trad, T1Aff& aff1, T1Aff& aff2,
                  TActionsArbre actions) {
  TFenetreLargeur f(trad, aff1, aff2, std::move(actions), parent);
  return f.exec() == QDialog::Accepted;
}

bool EditeGeneration(QWidget* parent, const TTraduction& trad, T1Aff& aff1, T1Aff& aff2) {
  TFenetreGeneration f(trad, aff1, aff2, parent);
  return f.exec() == QDialog::Accepted;
}

bool EditeZoom(QWidget* parent, const TTraduction& trad, T1Aff& aff1, T1Aff& aff2, bool& zoomAuto,
               TActionsArbre actions) {
  TFenetreZoom f(trad, aff1, aff2, zoomAuto, std::move(actions), parent);
  return f.exec() == QDialog::Accepted;
}

bool EditeZoomPage(QWidget* parent, const TTraduction& trad, TReglagesPage& reglages,
                   bool grilleVisible, std::function<void(const TReglagesPage&)> applique,
                   TActionsArbre actions) {
  TFenetreZoomPage f(trad, reglages, grilleVisible, std::move(applique), std::move(actions),
                     parent);
  return f.exec() == QDialog::Accepted;
}

}  // namespace kindrela

#include "gui/chart/cell_editor_window.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QColorDialog>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFontDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "chart/cell_editor.h"
#include "chart/templates.h"
#include "core/ansi_literal.h"
#include "core/file_io.h"
#include "core/text.h"
#include "gui/chart/chart_view.h"
#include "gui/chart/look_thumbnail.h"
#include "gui/chart/tag_editor.h"
#include "gui/common/message_box.h"
#include "gui/common/qt_text.h"
#include "gui/common/radio_group.h"
#include "gui/i18n/translate_window.h"
#include "gui/main/application.h"

namespace kindrela {
namespace {

QString Q(const char* ansi) { return VersQString(ansi); }

QColor VersQColor(TCouleur c) { return QColor(c.r, c.g, c.b); }
TCouleur DepuisQColor(const QColor& c) { return Rgb(c.red(), c.green(), c.blue()); }

void Peint(QLabel* panneau, TCouleur c) {
  panneau->setStyleSheet(QString("background-color: %1; border: 1px solid gray;")
                             .arg(VersQColor(c).name()));
}

QSpinBox* Spin(QWidget* parent, const char* nom, int min, int max) {
  auto* s = new QSpinBox(parent);
  s->setObjectName(nom);
  s->setRange(min, max);
  return s;
}

QToolButton* Bouton(QWidget* parent, const char* nom, const QString& texte, const QString& bulle,
                    bool basculant = false) {
  auto* b = new QToolButton(parent);
  b->setObjectName(nom);
  b->setText(texte);
  b->setToolTip(bulle);
  b->setCheckable(basculant);
  return b;
}

QFont PoliceDe(const TLigne& l) {
  QFont f(VersQString(l.FontNom));
  f.setPixelSize(std::max(1, std::abs(l.FontHauteur)));
  f.setBold(l.FontStyle & kStyleGras);
  f.setItalic(l.FontStyle & kStyleItalique);
  f.setUnderline(l.FontStyle & kStyleSouligne);
  f.setStrikeOut(l.FontStyle & kStyleBarre);
  return f;
}

// The look list: each look shows its thumbnail centred (item height: the
// picture's + 2), or its name when it has none.
class DelegueVignette : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* p, const QStyleOptionViewItem& o, const QModelIndex& i) const override {
    const bool choisi = o.state & QStyle::State_Selected;
    p->fillRect(o.rect, choisi ? QColor(128, 128, 128) : QColor(Qt::white));
    const QPixmap image = i.data(Qt::DecorationRole).value<QPixmap>();
    if (image.isNull()) {
      p->setPen(choisi ? Qt::white : Qt::black);
      p->drawText(o.rect.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                  i.data(Qt::DisplayRole).toString());
      return;
    }
    const QPoint coin(o.rect.left() + (o.rect.width() - image.width()) / 2, o.rect.top() + 1);
    p->drawPixmap(coin, image);
  }
  QSize sizeHint(const QStyleOptionViewItem& o, const QModelIndex& i) const override {
    const QPixmap image = i.data(Qt::DecorationRole).value<QPixmap>();
    if (image.isNull()) return QSize(100, std::max(12, o.fontMetrics.height()));
    return QSize(image.width() + 4, image.height() + 2);
  }
};

}  // namespace

TfmCellule::TfmCellule(TApplication& app, TAffArbre& arbre, Actions actions, QWidget* parent)
    : QDialog(parent), m_app(app), m_arbre(arbre), m_actions(std::move(actions)) {
  setObjectName("fmCellule");
  setWindowTitle(Q("Affichage de l'arbre"));
  setModal(false);
  auto* colonne = new QVBoxLayout(this);

  auto* haut = new QHBoxLayout;
  haut->addWidget(new QLabel(Q("Pour :"), this));
  m_pour = new QComboBox(this);
  m_pour->setObjectName("cbPour");
  m_pour->addItems({Q("tout l'arbre"), Q("l'ascendance"), Q("la descendance")});
  haut->addWidget(m_pour);
  haut->addSpacing(12);
  haut->addWidget(new QLabel(Q("Modèle :"_ansi), this));
  m_nomLook = new QLineEdit(this);
  m_nomLook->setObjectName("eFile");
  m_nomLook->setToolTip(Q("Nom du modèle à enregistrer"_ansi));
  haut->addWidget(m_nomLook, 1);
  auto* sauve = new QPushButton(Q("&Enregistrer"), this);
  sauve->setObjectName("sbSauve");
  sauve->setToolTip(Q("Enregistrer l'apparence de l'arbre sous ce nom"_ansi));
  haut->addWidget(sauve);
  m_listeLooks = new QComboBox(this);
  m_listeLooks->setObjectName("CB_FileList");
  m_listeLooks->setToolTip(Q("Modèles enregistrés"_ansi));
  haut->addWidget(m_listeLooks, 1);
  colonne->addLayout(haut);

  auto* options = new QHBoxLayout;
  m_app_ = new QCheckBox(Q("Appliquer à chaque modification"_ansi), this);
  m_app_->setObjectName("cbApp");
  m_app_->setChecked(true);
  options->addWidget(m_app_);
  options->addStretch(1);
  m_modifier = new QPushButton(Q("&Modifier"), this);
  m_modifier->setObjectName("bModifier");
  m_modifier->setCheckable(true);
  m_modifier->setChecked(true);
  m_modifier->setToolTip(Q("Passer de la liste des modèles à leur modification"_ansi));
  options->addWidget(m_modifier);
  auto* ok = new QPushButton(Q("Ok"), this);
  ok->setObjectName("bOk");
  options->addWidget(ok);
  colonne->addLayout(options);

  m_pile = new QStackedWidget(this);
  m_vignettes = new QListWidget(this);
  m_vignettes->setObjectName("lbFileList");
  m_vignettes->setItemDelegate(new DelegueVignette(m_vignettes));
  m_vignettes->setContextMenuPolicy(Qt::CustomContextMenu);
  m_pile->addWidget(m_vignettes);
  m_onglets = new QTabWidget(this);
  m_onglets->setObjectName("PageControl");
  m_onglets->addTab(PageTexte(), Q("Texte"));
  m_onglets->addTab(PageSexe(), Q("Sexe"));
  m_onglets->addTab(PageMarge(), Q("Marge"));
  m_onglets->addTab(PageLiens(), Q("Liens"));
  m_onglets->addTab(PageFond(), Q("Fond"));
  m_onglets->addTab(PageStyle(), Q("Style"));
  m_pile->addWidget(m_onglets);
  m_pile->setCurrentWidget(m_onglets);
  colonne->addWidget(m_pile, 1);

  connect(m_pour, &QComboBox::currentIndexChanged, this, [this] {
    if (m_remplissage) return;
    m_travail = LookDeTravail(m_arbre.Apparence(), Pour());
    Remplit();
  });
  connect(sauve, &QPushButton::clicked, this,
          [this] { Enregistre(DepuisQString(m_nomLook->text().trimmed())); });
  connect(m_listeLooks, &QComboBox::activated, this,
          [this](int i) { ChoisitLook(DepuisQString(m_listeLooks->itemText(i))); });
  connect(m_vignettes, &QListWidget::itemClicked, this,
          [this](QListWidgetItem* item) { ChoisitLook(DepuisQString(item->text())); });
  connect(m_vignettes, &QListWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
    QListWidgetItem* item = m_vignettes->itemAt(pos);
    if (!item) return;
    QMenu menu(this);
    QAction* a = menu.addAction(Q("Vignette avec la personne sélectionnée"_ansi));
    a->setObjectName("psVignettePersonne");
    if (menu.exec(m_vignettes->viewport()->mapToGlobal(pos)) != a) return;
    // The thumbnail of that look with the selected person's texts.
    TApparence look;
    const std::string nom = DepuisQString(item->text());
    LoadLook(FichierLookExistant(DossiersLooks(), nom), Dossiers(), look);
    TContexteModele modele{*m_app.bd, m_app.mots};
    modele.formatDate = m_app.ini.formatDate;
    const int n = m_actions.selecPers ? m_actions.selecPers() : 0;
    QImage image = VignetteLook(look, *m_app.bd, n, &modele, Dossiers(), m_arbre.Cache());
    QDir().mkpath(VersQString(DossierEcriture()));
    if (!image.save(VersQString(FichierVignette(DossierEcriture(), nom)), "PNG"))
      BoiteMessage(Q("Impossible d'enregistrer la vignette."), kErreur, 0, this);
    RafraichitListeLooks();
  });
  connect(m_modifier, &QPushButton::toggled, this, [this](bool modifier) {
    m_pile->setCurrentWidget(modifier ? static_cast<QWidget*>(m_onglets) : m_vignettes);
  });
  connect(ok, &QPushButton::clicked, this, [this] { Ok(); });
  connect(m_app_, &QCheckBox::toggled, this, [this](bool actif) {
    if (actif) AppCalcule();
  });
  TraduitFenetre(this, m_app.traduction);
  resize(620, 520);
}

TDossiersImages TfmCellule::Dossiers() const {
  const TDossiers& d = m_app.dossiers;
  return TDossiersImages{d.modele, d.programme, d.imageArbre, m_app.fichierCourant};
}

int TfmCellule::Pour() const { return std::max(0, m_pour->currentIndex()); }

int TfmCellule::LigneSelectionnee() const { return m_lignes->currentRow(); }

// ---------------------------------------------------------------------------
// Pages

QWidget* TfmCellule::PageTexte() {
  auto* page = new QWidget(this);
  page->setObjectName("tsTexte");
  auto* g = new QVBoxLayout(page);
  auto* barre = new QHBoxLayout;
  m_styles[0] = Bouton(page, "sbGras", "B", Q("Gras"), true);
  m_styles[1] = Bouton(page, "sbItalique", "I", Q("Italique"), true);
  m_styles[2] = Bouton(page, "sbSouligne", "U", Q("Souligné"_ansi), true);
  QFont f = m_styles[0]->font();
  f.setBold(true);
  m_styles[0]->setFont(f);
  f.setBold(false);
  f.setItalic(true);
  m_styles[1]->setFont(f);
  f.setItalic(false);
  f.setUnderline(true);
  m_styles[2]->setFont(f);
  m_aligns[0] = Bouton(page, "sbGauche", Q("Gauche"), Q("Aligné à gauche"_ansi), true);
  m_aligns[1] = Bouton(page, "sbCentre", Q("Centre"), Q("Centré"_ansi), true);
  m_aligns[2] = Bouton(page, "sbDroite", Q("Droite"), Q("Aligné à droite"_ansi), true);
  auto* groupe = new QButtonGroup(page);
  groupe->setExclusive(true);
  for (QToolButton* b : m_aligns) groupe->addButton(b);
  auto* police = Bouton(page, "sbPolice", Q("Police..."), Q("Choisir la police de la ligne"));
  auto* ajoute = Bouton(page, "sbAjoute", Q("Ajouter"),
                        Q("Ajoute une nouvelle ligne au dessus de celle qui est sélectionnée."_ansi));
  auto* supprime = Bouton(page, "sbSupprime", Q("Supprimer"), Q("Supprime la ligne en cours."));
  auto* monte = Bouton(page, "sbMonte", Q("Monter"), Q("Monte la ligne d'un cran"));
  auto* descend = Bouton(page, "sbDescend", Q("Descendre"), Q("Descend la ligne d'un cran"));
  auto* balise = Bouton(page, "sbBalise", "?", Q("Editeur de balises"));
  for (QToolButton* b : m_styles) barre->addWidget(b);
  barre->addSpacing(8);
  for (QToolButton* b : m_aligns) barre->addWidget(b);
  barre->addSpacing(8);
  for (QToolButton* b : {police, ajoute, supprime, monte, descend, balise}) barre->addWidget(b);
  barre->addStretch(1);
  g->addLayout(barre);
  m_lignes = new QListWidget(page);
  m_lignes->setObjectName("LB");
  m_lignes->setStyleSheet(
      "QListWidget { background: white; } "
      "QListWidget::item:selected { background: rgb(128,128,128); }");
  g->addWidget(m_lignes, 1);
  m_edit = new QLineEdit(page);
  m_edit->setObjectName("E");
  m_edit->setToolTip(Q("Modèle de la ligne : texte et balises (<nom>, <prénom>, ...)"_ansi));
  g->addWidget(m_edit);

  connect(m_lignes, &QListWidget::currentRowChanged, this, [this](int n) {
    if (m_remplissage) return;
    MontreLigne(n);
    if (m_pendant && m_app_->isChecked()) AppCalcule();
  });
  connect(m_edit, &QLineEdit::textEdited, this, [this](const QString& texte) {
    TLigne* l = LigneCourante();
    if (!l) return;
    l->Modele = DepuisQString(texte);
    if (QListWidgetItem* item = m_lignes->currentItem()) item->setText(texte);
    m_pendant = true;
  });
  connect(m_edit, &QLineEdit::returnPressed, this, [this] {
    if (m_pendant && m_app_->isChecked()) AppCalcule();
  });
  const std::uint8_t bits[3] = {kStyleGras, kStyleItalique, kStyleSouligne};
  for (int i = 0; i < 3; ++i) {
    connect(m_styles[static_cast<size_t>(i)], &QToolButton::clicked, this, [this, bits, i](bool actif) {
      TLigne* l = LigneCourante();
      if (!l) return;
      ChangeStyleLigne(*l, bits[i], actif);
      RemplitLignes(LigneSelectionnee());
      Change(true);
    });
  }
  const std::uint8_t aligns[3] = {kAlignGauche, kAlignCentre, kAlignDroite};
  for (int i = 0; i < 3; ++i) {
    connect(m_aligns[static_cast<size_t>(i)], &QToolButton::clicked, this, [this, aligns, i] {
      TLigne* l = LigneCourante();
      if (!l) return;
      l->Align = aligns[i];
      RemplitLignes(LigneSelectionnee());
      Change(true);
    });
  }
  connect(police, &QToolButton::clicked, this, [this] {
    if (LigneSelectionnee() < 0) RemplitLignes(0);
    TLigne* l = LigneCourante();
    if (!l) return;
    QFont f = PoliceDe(*l);
    QFontDialog dialogue(f, this);
    dialogue.setObjectName("dlgPolice");
    if (dialogue.exec() != QDialog::Accepted) return;
    const QFont choisie = dialogue.selectedFont();
    l->FontNom = DepuisQString(choisie.family());
    const int taille = choisie.pixelSize() > 0 ? choisie.pixelSize()
                                               : static_cast<int>(choisie.pointSizeF() * 96 / 72 + 0.5);
    l->FontHauteur = std::max(1, taille);
    std::uint8_t s = l->FontStyle & kStyleBarre;
    if (choisie.bold()) s |= kStyleGras;
    if (choisie.italic()) s |= kStyleItalique;
    if (choisie.underline()) s |= kStyleSouligne;
    if (choisie.strikeOut()) s |= kStyleBarre;
    else s &= static_cast<std::uint8_t>(~kStyleBarre);
    l->FontStyle = s;
    RemplitLignes(LigneSelectionnee());
    Change(true);
  });
  connect(ajoute, &QToolButton::clicked, this, [this] {
    const int n = AjouteLigne(m_travail, LigneSelectionnee());
    RemplitLignes(n);
    m_edit->setFocus();
    Change();
  });
  connect(supprime, &QToolButton::clicked, this, [this] {
    if (m_travail.LigneNbre <= 1) return;
    RemplitLignes(SupprimeLigne(m_travail, LigneSelectionnee()));
    Change();
  });
  connect(monte, &QToolButton::clicked, this, [this] {
    RemplitLignes(MonteLigne(m_travail, LigneSelectionnee()));
    Change();
  });
  connect(descend, &QToolButton::clicked, this, [this] {
    RemplitLignes(DescendLigne(m_travail, LigneSelectionnee()));
    Change();
  });
  connect(balise, &QToolButton::clicked, this, [this] {
    TfmEdite editeur(m_app, m_actions.selecPers ? m_actions.selecPers() : 0, m_edit->text(), this);
    if (editeur.exec() != QDialog::Accepted) return;
    m_edit->setText(editeur.Texte());
    if (TLigne* l = LigneCourante()) {
      l->Modele = DepuisQString(editeur.Texte());
      if (QListWidgetItem* item = m_lignes->currentItem()) item->setText(editeur.Texte());
      m_pendant = true;
      if (m_app_->isChecked()) AppCalcule();
    }
  });
  return page;
}

QWidget* TfmCellule::PageSexe() {
  auto* page = new QWidget(this);
  page->setObjectName("tsSexe");
  auto* g = new QGridLayout(page);
  m_sexe = new QComboBox(page);
  m_sexe->setObjectName("cbSexe");
  m_sexe->addItems({Q("Les hommes"), Q("Les femmes")});
  g->addWidget(m_sexe, 0, 0);
  m_fond = new TRadioGroup(page);
  m_fond->setObjectName("rgFond");
  m_fond->setTitle(Q("Type de fond"));
  m_fond->setItems({Q("Aucun"), Q("Couleur"), Q("Texture"), Q("Texture calculée"_ansi)});
  g->addWidget(m_fond, 1, 0, 3, 1);
  m_couleurSexe = new QLabel(page);
  m_couleurSexe->setObjectName("pCouleur");
  m_couleurSexe->setFixedSize(48, 24);
  g->addWidget(m_couleurSexe, 1, 1);
  m_choixSexe = new QPushButton(page);
  m_choixSexe->setObjectName("bChoix");
  g->addWidget(m_choixSexe, 1, 2);
  m_imageSexe = new QLabel(page);
  m_imageSexe->setObjectName("iTexture");
  m_imageSexe->setFixedSize(96, 64);
  m_imageSexe->setScaledContents(true);
  m_imageSexe->setFrameShape(QFrame::Box);
  g->addWidget(m_imageSexe, 2, 1, 1, 2);
  m_legendeTexte = new QLabel(Q("Nom du fichier de la texture:\r\nVous pouvez entrer un nom de\r\n"
                                "construit en fonction de champs.\r\n"),
                              page);
  m_legendeTexte->setObjectName("lTexture");
  g->addWidget(m_legendeTexte, 3, 1, 1, 2);
  m_texteSexe = new QLineEdit(page);
  m_texteSexe->setObjectName("eTexture");
  g->addWidget(m_texteSexe, 4, 1, 1, 2);
  m_etire = new QCheckBox(Q("Etirer la texture sur toute la surface"), page);
  m_etire->setObjectName("cbStretch");
  m_ombre = new QCheckBox(Q("Ombrage de la cellule"), page);
  m_ombre->setObjectName("cbOmbre");
  m_arrondis = new QCheckBox(Q("Coin arrondis"), page);
  m_arrondis->setObjectName("cbArrondis");
  m_cadre = new QCheckBox(Q("Afficher l'encadrement"), page);
  m_cadre->setObjectName("cbCadre");
  int ligne = 5;
  for (QCheckBox* c : {m_etire, m_ombre, m_arrondis, m_cadre}) g->addWidget(c, ligne++, 0, 1, 3);
  g->setRowStretch(ligne, 1);
  g->setColumnStretch(2, 1);

  connect(m_sexe, &QComboBox::currentIndexChanged, this, [this] { RemplitSexe(); });
  connect(m_fond, &TRadioGroup::itemIndexChanged, this, [this] { StockeSexe(); });
  for (QCheckBox* c : {m_etire, m_ombre, m_arrondis, m_cadre})
    connect(c, &QCheckBox::toggled, this, [this] { StockeSexe(); });
  connect(m_texteSexe, &QLineEdit::editingFinished, this, [this] { StockeSexe(); });
  connect(m_choixSexe, &QPushButton::clicked, this, [this] {
    if (LookSexe().Fond == kFondTexture) ChoisitTextureSexe();
    else ChoisitCouleur(LookSexe().Color, m_couleurSexe);
  });
  return page;
}

QWidget* TfmCellule::PageMarge() {
  auto* page = new QWidget(this);
  page->setObjectName("tsMarge");
  auto* g = new QGridLayout(page);
  const char* noms[4] = {"seMargeHaut", "seMargeBas", "seMargeDroite", "seMargeGauche"};
  const char* textes[4] = {"Marge du haut (%)", "Marge du bas (%)", "Marge de droite (%)",
                           "Marge de gauche (%)"};
  for (int i = 0; i < 4; ++i) {
    g->addWidget(new QLabel(Q(textes[i]), page), i, 0);
    m_marges[static_cast<size_t>(i)] = Spin(page, noms[i], 0, 99);
    g->addWidget(m_marges[static_cast<size_t>(i)], i, 1);
    connect(m_marges[static_cast<size_t>(i)], &QSpinBox::valueChanged, this, [this, i] {
      if (m_remplissage) return;
      std::array<int, 4> v;
      for (int k = 0; k < 4; ++k) v[static_cast<size_t>(k)] = m_marges[static_cast<size_t>(k)]->value();
      v = MargesSaisies(v, i, m_identiques->isChecked());
      m_remplissage = true;
      for (int k = 0; k < 4; ++k) m_marges[static_cast<size_t>(k)]->setValue(v[static_cast<size_t>(k)]);
      m_remplissage = false;
      EcritMarges(m_travail, v);
      Change();
    });
  }
  m_identiques = new QCheckBox(Q("Toutes les marges identiques"), page);
  m_identiques->setObjectName("cbMargesIdentiques");
  g->addWidget(m_identiques, 4, 0, 1, 2);
  m_aide = new QCheckBox(Q("Afficher les marges (aide au réglage)"_ansi), page);
  m_aide->setObjectName("cbAideMarges");
  g->addWidget(m_aide, 5, 0, 1, 2);
  g->setRowStretch(6, 1);
  g->setColumnStretch(2, 1);
  connect(m_identiques, &QCheckBox::toggled, this, [this](bool actif) {
    if (!actif || m_remplissage) return;
    m_marges[0]->setValue(m_marges[0]->value());
    std::array<int, 4> v = MargesSaisies(LitMarges(m_travail), 0, true);
    m_remplissage = true;
    for (int k = 0; k < 4; ++k) m_marges[static_cast<size_t>(k)]->setValue(v[static_cast<size_t>(k)]);
    m_remplissage = false;
    EcritMarges(m_travail, v);
    Change();
  });
  connect(m_aide, &QCheckBox::toggled, this, [this](bool actif) { m_arbre.SetAideMarges(actif); });
  return page;
}

QWidget* TfmCellule::PageLiens() {
  auto* page = new QWidget(this);
  page->setObjectName("tsLiens");
  auto* g = new QGridLayout(page);
  g->addWidget(new QLabel(Q("Epaisseur du trait"), page), 0, 0);
  m_epaisseur = Spin(page, "seEpaisseur", 1, 50);
  g->addWidget(m_epaisseur, 0, 1);
  g->addWidget(new QLabel(Q("Couleur du trait"), page), 1, 0);
  m_couleurLien = new QLabel(page);
  m_couleurLien->setObjectName("pCouleurLien");
  m_couleurLien->setFixedSize(48, 24);
  g->addWidget(m_couleurLien, 1, 1);
  auto* couleur = new QPushButton(Q("Change..."), page);
  couleur->setObjectName("bCouleurLien");
  g->addWidget(couleur, 1, 2);
  m_relier = new TRadioGroup(page);
  m_relier->setObjectName("rgRelier");
  m_relier->setTitle(Q("Liaison des cellules:"));
  m_relier->setItems({Q("Ne pas relier"), Q("Ligne droite"), Q("Ligne brisée"_ansi), Q("Texture")});
  g->addWidget(m_relier, 2, 0, 1, 3);
  m_panneauTextures = new QWidget(page);
  m_panneauTextures->setObjectName("pTextures");
  auto* t = new QGridLayout(m_panneauTextures);
  auto* groupe = new QButtonGroup(m_panneauTextures);
  for (int i = 0; i < 9; ++i) {
    auto* b = Bouton(m_panneauTextures, "", QString::number(i + 1),
                     Q("Texture de la forme de lien ") + QString::number(i + 1), true);
    b->setObjectName(QString("sbLien%1").arg(i + 1));
    b->setIconSize(QSize(40, 24));
    b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    groupe->addButton(b, i + 1);
    t->addWidget(b, i / 5, i % 5);
    m_boutonsLien[static_cast<size_t>(i)] = b;
  }
  m_boutonsLien[0]->setChecked(true);
  auto* change = new QPushButton(Q("Change..."), m_panneauTextures);
  change->setObjectName("bTextureLien");
  change->setToolTip(Q("Choisir l'image BMP de la forme de lien sélectionnée"_ansi));
  t->addWidget(change, 1, 4);
  g->addWidget(m_panneauTextures, 3, 0, 1, 3);
  g->setRowStretch(4, 1);
  g->setColumnStretch(3, 1);

  connect(m_epaisseur, &QSpinBox::valueChanged, this, [this](int v) {
    if (m_remplissage) return;
    m_travail.RelierLarge = v;
    Change();
  });
  connect(couleur, &QPushButton::clicked, this,
          [this] { ChoisitCouleur(m_travail.RelierColor, m_couleurLien); });
  connect(m_relier, &TRadioGroup::itemIndexChanged, this, [this](int n) {
    if (m_remplissage || n < 0) return;
    m_travail.Relier = static_cast<std::uint8_t>(n);
    m_panneauTextures->setVisible(n == kRelierTexture);
    Change();
  });
  connect(groupe, &QButtonGroup::idClicked, this, [this](int id) { m_lienChoisi = id; });
  connect(change, &QPushButton::clicked, this, [this] { ChangeTextureLien(); });
  return page;
}

QWidget* TfmCellule::PageFond() {
  auto* page = new QWidget(this);
  page->setObjectName("tsFond");
  auto* g = new QGridLayout(page);
  g->addWidget(new QLabel(Q("Couleur de l'écran"_ansi), page), 0, 0);
  m_couleurEcran = new QLabel(page);
  m_couleurEcran->setObjectName("pCouleurEcran");
  m_couleurEcran->setFixedSize(48, 24);
  g->addWidget(m_couleurEcran, 0, 1);
  auto* couleur = new QPushButton(Q("Couleur..."), page);
  couleur->setObjectName("bCouleurEcran");
  g->addWidget(couleur, 0, 2);
  auto* texture = new QPushButton(Q("Texture..."), page);
  texture->setObjectName("bTextureEcran");
  g->addWidget(texture, 1, 2);
  m_imageFond = new QLabel(page);
  m_imageFond->setObjectName("iFond");
  m_imageFond->setFixedSize(200, 140);
  m_imageFond->setFrameShape(QFrame::Box);
  m_imageFond->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  g->addWidget(m_imageFond, 1, 0, 2, 2);
  m_etireFond = new QCheckBox(Q("Etirer"), page);
  m_etireFond->setObjectName("cbEtireFond");
  g->addWidget(m_etireFond, 3, 0, 1, 2);
  g->setRowStretch(4, 1);
  g->setColumnStretch(3, 1);
  connect(couleur, &QPushButton::clicked, this, [this] {
    ChoisitCouleur(m_couleurFond, m_couleurEcran);
  });
  connect(texture, &QPushButton::clicked, this, [this] { ChoisitTextureFond(); });
  connect(m_etireFond, &QCheckBox::toggled, this, [this] { MontreFond(); });
  return page;
}

QWidget* TfmCellule::PageStyle() {
  auto* page = new QWidget(this);
  page->setObjectName("tsStyle");
  auto* g = new QGridLayout(page);
  struct Champ {
    const char* nom;
    const char* texte;
    int min, max;
    QSpinBox** sortie;
    std::int32_t T1Aff::*champ;
  };
  const Champ champs[] = {
      {"seGeneration", "Nombre de générations"_ansi, 0, 999, &m_gen, &T1Aff::NbreGen},
      {"seLargeur", "Largeur des cellules", 1, 1000, &m_large, &T1Aff::Large},
      {"seEcartHorz", "Ecart horizontal (%)", 0, 300, &m_ecartH, &T1Aff::EcartHorz},
      {"seEcartVert", "Ecart vertical (%)", 0, 300, &m_ecartV, &T1Aff::EcartVert},
      {"seZoom", "Zoom (%)", 1, 1000, &m_zoom, &T1Aff::Zoom},
  };
  int ligne = 0;
  for (const Champ& c : champs) {
    g->addWidget(new QLabel(Q(c.texte), page), ligne, 0);
    QSpinBox* s = Spin(page, c.nom, c.min, c.max);
    *c.sortie = s;
    g->addWidget(s, ligne++, 1);
    auto membre = c.champ;
    connect(s, &QSpinBox::valueChanged, this, [this, membre](int v) {
      if (m_remplissage) return;
      m_travail.*membre = v;
      Change();
    });
  }
  g->setRowStretch(ligne, 1);
  g->setColumnStretch(2, 1);
  return page;
}

// ---------------------------------------------------------------------------
// Filling

void TfmCellule::Montre() {
  m_remplissage = true;
  m_pour->setCurrentIndex(kPourTout);
  m_remplissage = false;
  m_travail = LookDeTravail(m_arbre.Apparence(), kPourTout);
  m_nomLook->setText(VersQString(m_arbre.Apparence().Nom));
  Remplit();
  RafraichitListeLooks();
  show();
  raise();
}

void TfmCellule::Relit() {
  m_travail = LookDeTravail(m_arbre.Apparence(), Pour());
  m_nomLook->setText(VersQString(m_arbre.Apparence().Nom));
  Remplit();
  RafraichitListeLooks();
}

void TfmCellule::Remplit() {
  m_remplissage = true;
  m_couleurFond = m_arbre.Apparence().ColorEcran;
  Peint(m_couleurEcran, m_couleurFond);
  MontreFond();
  RemplitLignes(0);
  MontreLigne(0);
  RemplitSexe();
  const std::array<int, 4> m = LitMarges(m_travail);
  for (int k = 0; k < 4; ++k) m_marges[static_cast<size_t>(k)]->setValue(m[static_cast<size_t>(k)]);
  RemplitLiens();
  m_gen->setValue(m_travail.NbreGen);
  m_large->setValue(m_travail.Large);
  m_ecartH->setValue(m_travail.EcartHorz);
  m_ecartV->setValue(m_travail.EcartVert);
  m_zoom->setValue(m_travail.Zoom);
  m_pendant = false;
  m_remplissage = false;
}

void TfmCellule::RemplitLignes(int selection) {
  const bool avant = m_remplissage;
  m_remplissage = true;
  m_lignes->clear();
  const int n = std::clamp(m_travail.LigneNbre, 0, kLignesMax);
  for (int i = 0; i < n; ++i) {
    const TLigne& l = m_travail.Lignes[static_cast<size_t>(i)];
    auto* item = new QListWidgetItem(VersQString(l.Modele), m_lignes);
    item->setFont(PoliceDe(l));
    item->setForeground(VersQColor(l.FontCouleur));
    item->setTextAlignment(l.Align == kAlignCentre  ? Qt::AlignHCenter | Qt::AlignVCenter
                           : l.Align == kAlignDroite ? Qt::AlignRight | Qt::AlignVCenter
                                                     : Qt::AlignLeft | Qt::AlignVCenter);
  }
  if (n > 0) m_lignes->setCurrentRow(std::clamp(selection, 0, n - 1));
  m_remplissage = avant;
  MontreLigne(m_lignes->currentRow());
}

TLigne* TfmCellule::LigneCourante() {
  const int n = LigneSelectionnee();
  if (n < 0 || n >= std::clamp(m_travail.LigneNbre, 0, kLignesMax)) return nullptr;
  return &m_travail.Lignes[static_cast<size_t>(n)];
}

void TfmCellule::MontreLigne(int n) {
  if (n < 0 || n >= std::clamp(m_travail.LigneNbre, 0, kLignesMax)) return;
  const TLigne& l = m_travail.Lignes[static_cast<size_t>(n)];
  m_edit->setText(VersQString(l.Modele));
  m_styles[0]->setChecked(l.FontStyle & kStyleGras);
  m_styles[1]->setChecked(l.FontStyle & kStyleItalique);
  m_styles[2]->setChecked(l.FontStyle & kStyleSouligne);
  m_aligns[0]->setChecked(l.Align == kAlignGauche);
  m_aligns[1]->setChecked(l.Align == kAlignCentre);
  m_aligns[2]->setChecked(l.Align == kAlignDroite);
}

TLookSexe& TfmCellule::LookSexe() { return m_sexe->currentIndex() == 1 ? m_travail.F : m_travail.H; }

void TfmCellule::RemplitSexe() {
  const bool avant = m_remplissage;
  m_remplissage = true;
  const TLookSexe& l = LookSexe();
  m_fond->setItemIndex(std::clamp(l.Fond, 0, 3));
  m_etire->setChecked(l.Stretch);
  m_ombre->setChecked(l.Ombre);
  m_arrondis->setChecked(l.Arrondis);
  m_cadre->setChecked(l.Cadre);
  m_texteSexe->setText(VersQString(l.Texture));
  Peint(m_couleurSexe, l.Color);
  const TEtatPageSexe e = EtatPageSexe(l);
  m_couleurSexe->setVisible(e.couleurVisible && !e.boutonTexture);
  m_choixSexe->setVisible(e.couleurVisible);
  m_choixSexe->setText(e.boutonTexture ? Q("Texture...") : Q("Couleur..."));
  m_imageSexe->setVisible(e.imageVisible);
  if (e.imageVisible) {
    const std::string f = FichierTexture(l.Texture, Dossiers());
    QPixmap image;
    if (!f.empty()) image = QPixmap::fromImage(m_arbre.Cache().Image(VersQString(f)));
    m_imageSexe->setPixmap(image);
  }
  m_legendeTexte->setVisible(e.texteVisible);
  m_texteSexe->setVisible(e.texteVisible);
  m_etire->setEnabled(e.etirerActif);
  m_ombre->setEnabled(e.ombreActif);
  m_arrondis->setEnabled(e.arrondisActif);
  m_remplissage = avant;
}

void TfmCellule::StockeSexe() {
  if (m_remplissage) return;
  TLookSexe& l = LookSexe();
  l.Fond = std::max(0, m_fond->itemIndex());
  l.Stretch = m_etire->isChecked();
  l.Ombre = m_ombre->isChecked();
  l.Arrondis = m_arrondis->isChecked();
  l.Cadre = m_cadre->isChecked();
  if (l.Fond == kFondTextureCalculee) l.Texture = DepuisQString(m_texteSexe->text());
  RemplitSexe();
  Change();
}

void TfmCellule::RemplitLiens() {
  const bool avant = m_remplissage;
  m_remplissage = true;
  m_epaisseur->setValue(std::max(1, m_travail.RelierLarge));
  Peint(m_couleurLien, m_travail.RelierColor);
  m_relier->setItemIndex(std::min<int>(m_travail.Relier, 3));
  m_panneauTextures->setVisible(m_travail.Relier == kRelierTexture);
  for (int i = 1; i <= 9; ++i) {
    const std::string f = FichierTexture(m_travail.RelierTexture[static_cast<size_t>(i)], Dossiers());
    QIcon icone;
    if (!f.empty()) icone = QIcon(QPixmap::fromImage(m_arbre.Cache().Image(VersQString(f))));
    m_boutonsLien[static_cast<size_t>(i - 1)]->setIcon(icone);
  }
  m_remplissage = avant;
}

void TfmCellule::MontreFond() {
  const std::string& nom = m_arbre.Apparence().TextEcran;
  const std::string f = nom.empty() ? std::string() : m_app.dossiers.imageArbre + nom;
  QPixmap image;
  if (!f.empty() && FichierExiste(f)) image = QPixmap::fromImage(m_arbre.Cache().Image(VersQString(f)));
  m_imageFond->setScaledContents(m_etireFond->isChecked());
  m_imageFond->setPixmap(image);
}

TDossiersLooks TfmCellule::DossiersLooks() const {
  return TDossiersLooks{m_actions.dossierLooksUtilisateur, m_app.dossiers.arbre};
}

std::string TfmCellule::DossierEcriture() const {
  return m_actions.dossierLooksUtilisateur.empty() ? m_app.dossiers.arbre : m_actions.dossierLooksUtilisateur;
}

void TfmCellule::RafraichitListeLooks() {
  const std::string courant = MinusculesAnsi(DepuisQString(m_nomLook->text().trimmed()));
  m_listeLooks->clear();
  m_vignettes->clear();
  for (const std::string& nom : ListeLooks(DossiersLooks())) {
    const QString texte = VersQString(nom);
    m_listeLooks->addItem(texte);
    auto* item = new QListWidgetItem(texte, m_vignettes);
    const std::string vignette = VignetteExistante(DossiersLooks(), nom);
    if (!vignette.empty()) {
      QImage image(VersQString(vignette));
      // A thumbnail is one box: a very large picture is shown reduced.
      if (!image.isNull() && (image.width() > 400 || image.height() > 300))
        image = image.scaled(400, 300, Qt::KeepAspectRatio, Qt::SmoothTransformation);
      if (!image.isNull()) item->setData(Qt::DecorationRole, QPixmap::fromImage(image));
    }
    if (nom == courant) {
      m_listeLooks->setCurrentIndex(m_listeLooks->count() - 1);
      m_vignettes->setCurrentItem(item);
    }
  }
}

// ---------------------------------------------------------------------------
// Actions

void TfmCellule::Change(bool rapide) {
  if (m_remplissage || !m_app_->isChecked()) return;
  if (rapide) Rafraichis();
  else AppCalcule();
}

void TfmCellule::AppCalcule() {
  kindrela::AppCalcule(m_arbre.Apparence(), m_travail, Pour(), m_couleurFond);
  m_pendant = false;
  if (m_actions.reconstruit) m_actions.reconstruit();
}

void TfmCellule::Rafraichis() {
  CopieLookDeTravail(m_arbre.Apparence(), m_travail, Pour());
  m_arbre.RepaintTous();
}

void TfmCellule::Ok() {
  m_aide->setChecked(false);
  m_arbre.SetAideMarges(false);
  if (!m_app_->isChecked() || m_pendant) AppCalcule();
  hide();
  emit Cache();
}

void TfmCellule::closeEvent(QCloseEvent* e) {
  e->ignore();
  Ok();
}

bool TfmCellule::Enregistre(const std::string& nomSaisi) {
  const std::string nom = Trim(nomSaisi);
  if (!NomLookValide(nom)) {
    BoiteMessage(Q("Entrez un nom de modèle valide (sans / ni \\) avant d'enregistrer."_ansi),
                 kAttention, 0, this);
    return false;
  }
  // Written into the user's folder: the installation's may be read-only,
  // and a look saved under an installation look's name hides it.
  const std::string fichier = FichierLook(DossierEcriture(), nom);
  if (!FichierLookExistant(DossiersLooks(), nom).empty() &&
      BoiteMessage(Q("Ce modèle existe déjà. Etes-vous sur de vouloir le remplacer ?\r\n"
                     "Vous pouvez créer un nouveau modèle en entrant un nom différent avant de "
                     "cliquer sur enregistrer."_ansi),
                   kQuestion, kBoutonOui | kBoutonNon, this) != kResultatOui)
    return false;
  AppCalcule();
  TApparence& a = m_arbre.Apparence();
  QDir().mkpath(VersQString(DossierEcriture()));
  if (Statut s = SaveLook(fichier, a, Dossiers()); !s.ok()) {
    BoiteMessage(VersQString(s.message()), kErreur, 0, this);
    return false;
  }
  a.Nom = NomDe(ChangeExtension(fichier, ""));
  m_app.apparence = a.Nom;
  const int n = m_actions.selecPers ? m_actions.selecPers() : 0;
  QImage vignette = VignetteLook(a, *m_app.bd, n, nullptr, Dossiers(), m_arbre.Cache());
  if (!vignette.save(VersQString(ChangeExtension(fichier, ".png")), "PNG"))
    BoiteMessage(Q("Le modèle est enregistré, mais pas sa vignette."_ansi), kAttention, 0, this);
  m_nomLook->setText(VersQString(nom));
  RafraichitListeLooks();
  return true;
}

void TfmCellule::ChoisitLook(const std::string& nom) {
  TApparence look;
  LoadLook(FichierLookExistant(DossiersLooks(), nom), Dossiers(), look);
  m_travail = LookDeTravail(look, Pour());
  m_nomLook->setText(VersQString(nom));
  m_arbre.Apparence().TextEcran = look.TextEcran;
  m_arbre.Apparence().Nom = look.Nom;
  m_app.apparence = look.Nom;
  Remplit();
  m_couleurFond = look.ColorEcran;
  Peint(m_couleurEcran, m_couleurFond);
  if (m_app_->isChecked()) AppCalcule();
}

void TfmCellule::ChoisitCouleur(TCouleur& couleur, QLabel* panneau) {
  const QColor c = QColorDialog::getColor(VersQColor(couleur), this);
  if (!c.isValid()) return;
  couleur = DepuisQColor(c);
  Peint(panneau, couleur);
  if (panneau == m_couleurSexe) RemplitSexe();
  Change();
}

void TfmCellule::ChoisitTextureSexe() {
  const QString filtre = "*.jpg *.jpeg *.bmp *.png *.emf *.wmf";
  const QString choisi = QFileDialog::getOpenFileName(
      this, Q("Texture"), VersQString(m_app.dossiers.imageArbre), Q("Images (") + filtre + ")");
  if (choisi.isEmpty()) return;
  std::string nom;
  if (Statut s = CopieDansTextures(DepuisQString(choisi), m_app.dossiers.imageArbre, false, nom); !s.ok()) {
    BoiteMessage(VersQString(s.message()), kErreur, 0, this);
    return;
  }
  LookSexe().Texture = nom;
  RemplitSexe();
  Change();
}

void TfmCellule::ChangeTextureLien() {
  const QString choisi = QFileDialog::getOpenFileName(
      this, Q("Texture du lien"), VersQString(m_app.dossiers.imageArbre),
      Q("Fichier image BMP (*.bmp *.BMP)"));
  if (choisi.isEmpty()) return;
  std::string nom;
  if (Statut s = CopieDansTextures(DepuisQString(choisi), m_app.dossiers.imageArbre, false, nom); !s.ok()) {
    BoiteMessage(VersQString(s.message()), kErreur, 0, this);
    return;
  }
  m_travail.RelierTexture[static_cast<size_t>(std::clamp(m_lienChoisi, 1, 9))] = nom;
  RemplitLiens();
  Change();
}

void TfmCellule::ChoisitTextureFond() {
  const QString choisi = QFileDialog::getOpenFileName(
      this, Q("Texture du fond"), VersQString(m_app.dossiers.imageArbre),
      Q("Images (*.jpg *.jpeg *.bmp *.png)"));
  if (choisi.isEmpty()) {
    // Cancelling clears the picture.
    m_arbre.Apparence().TextEcran.clear();
    MontreFond();
    Change();
    return;
  }
  std::string nom;
  if (Statut s = CopieDansTextures(DepuisQString(choisi), m_app.dossiers.imageArbre, true, nom); !s.ok()) {
    BoiteMessage(VersQString(s.message()), kErreur, 0, this);
    return;
  }
  m_arbre.Apparence().TextEcran = nom;
  MontreFond();
  Change();
}

}  // namespace kindrela

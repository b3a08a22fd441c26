#include "gui/chart/tag_editor.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

#include "chart/cell_editor.h"
#include "chart/templates.h"
#include "core/ansi_literal.h"
#include "gui/common/qt_text.h"
#include "gui/i18n/translate_window.h"
#include "gui/main/application.h"

namespace kindrela {
namespace {

QString Q(const char* ansi) { return VersQString(ansi); }

// The fields in the order of the list.
constexpr ChampBalise kChamps[] = {
    ChampBalise::Sexe,   ChampBalise::Nom,        ChampBalise::PrenomPrincipal,
    ChampBalise::Prenoms, ChampBalise::ChampPerso, ChampBalise::Evenement,
    ChampBalise::Note,   ChampBalise::Numero,     ChampBalise::NumeroFiche,
    ChampBalise::Age,    ChampBalise::Resume,     ChampBalise::Individu,
    ChampBalise::Photo,
};

}  // namespace

TfmEdite::TfmEdite(TApplication& app, int personne, const QString& texte, QWidget* parent)
    : QDialog(parent), m_app(app), m_personne(personne) {
  setObjectName("fmEdite");
  setWindowTitle(Q("Editeur de balises"));
  auto* g = new QGridLayout(this);
  g->addWidget(new QLabel(Q("Personne :"), this), 0, 0);
  m_qui = new QComboBox(this);
  m_qui->setObjectName("cbQui");
  m_qui->addItems({Q("L'Individu"), Q("Le père de l'individu"_ansi), Q("La mère de l'individu"_ansi),
                   Q("Le conjoint n°"_ansi), Q("L'union n°"_ansi)});
  g->addWidget(m_qui, 0, 1);
  m_numero = new QSpinBox(this);
  m_numero->setObjectName("seNumero");
  m_numero->setRange(0, 99);
  g->addWidget(m_numero, 0, 2);
  m_aideNumero = new QLabel(this);
  m_aideNumero->setObjectName("lNumero");
  g->addWidget(m_aideNumero, 0, 3);

  g->addWidget(new QLabel(Q("Donnée :"_ansi), this), 1, 0);
  m_champ = new QComboBox(this);
  m_champ->setObjectName("cbChamp");
  m_champ->addItems({Q("Le sexe"), Q("Le nom"), Q("Le prénom principal"_ansi), Q("Les prénoms"_ansi),
                     Q("Un champ personnel"), Q("Un événement"_ansi), Q("La note"),
                     Q("Le numéro généalogique"_ansi), Q("Le numéro de fiche"_ansi), Q("L'âge"_ansi),
                     Q("Le résumé des événements"_ansi), Q("L'individu (nom et prénoms)"_ansi),
                     Q("La photo")});
  m_champ->setCurrentIndex(1);
  g->addWidget(m_champ, 1, 1);
  m_detail = new QComboBox(this);
  m_detail->setObjectName("cbDetail");
  m_detail->setEditable(true);
  g->addWidget(m_detail, 1, 2);
  m_mot = new QComboBox(this);
  m_mot->setObjectName("cbMot");
  for (int n : MotsEvenement(m_app.mots)) m_mot->addItem(VersQString(m_app.mots.Mot(n)), n);
  g->addWidget(m_mot, 1, 3);

  m_balise = new QLabel(this);
  m_balise->setObjectName("lBalise");
  g->addWidget(new QLabel(Q("Balise :"), this), 2, 0);
  g->addWidget(m_balise, 2, 1, 1, 2);
  auto* ajoute = new QPushButton(Q("&Ajouter"), this);
  ajoute->setObjectName("bAjouter");
  g->addWidget(ajoute, 2, 3);

  g->addWidget(new QLabel(Q("Texte :"), this), 3, 0);
  m_texte = new QLineEdit(texte, this);
  m_texte->setObjectName("eTexte");
  g->addWidget(m_texte, 3, 1, 1, 2);
  auto* efface = new QPushButton(Q("&Tout effacer"), this);
  efface->setObjectName("bEfface");
  g->addWidget(efface, 3, 3);
  g->addWidget(new QLabel(Q("Résultat :"_ansi), this), 4, 0);
  m_apercu = new QLabel(this);
  m_apercu->setObjectName("lApercu");
  m_apercu->setFrameShape(QFrame::Panel);
  m_apercu->setFrameShadow(QFrame::Sunken);
  m_apercu->setMinimumHeight(24);
  m_apercu->setTextFormat(Qt::PlainText);
  g->addWidget(m_apercu, 4, 1, 1, 3);
  auto* boutons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  g->addWidget(boutons, 5, 0, 1, 4);
  g->setColumnStretch(1, 1);

  connect(m_qui, &QComboBox::currentIndexChanged, this, [this] { ChangeChamp(); });
  connect(m_champ, &QComboBox::currentIndexChanged, this, [this] { ChangeChamp(); });
  connect(m_numero, &QSpinBox::valueChanged, this, [this] { MontreApercu(); });
  connect(m_detail, &QComboBox::currentTextChanged, this, [this] { MontreApercu(); });
  connect(m_mot, &QComboBox::currentIndexChanged, this, [this] { MontreApercu(); });
  connect(m_texte, &QLineEdit::textChanged, this, [this] { MontreApercu(); });
  connect(ajoute, &QPushButton::clicked, this, [this] { Ajoute(); });
  connect(efface, &QPushButton::clicked, this, [this] { m_texte->clear(); });
  connect(boutons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(boutons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  TraduitFenetre(this, m_app.traduction);
  ChangeChamp();
}

QString TfmEdite::Texte() const { return m_texte->text(); }

void TfmEdite::ChangeChamp() {
  const int qui = m_qui->currentIndex();
  m_numero->setVisible(qui >= 3);
  m_aideNumero->setVisible(qui >= 3);
  m_aideNumero->setText(qui == 4 ? Q("(0 dernière union)"_ansi) : Q("(0 dernier conjoint)"));
  const ChampBalise champ = kChamps[std::clamp(m_champ->currentIndex(), 0, 12)];
  const QString avant = m_detail->currentText();
  m_detail->clear();
  const bool evenement = champ == ChampBalise::Evenement;
  if (evenement || champ == ChampBalise::ChampPerso) {
    const GrilleTable& grille =
        m_app.tables.Grille(evenement ? SorteTable::Evenements : SorteTable::Champs);
    for (size_t i = 1; i < grille.size(); ++i)
      if (grille[i].size() > 1 && !grille[i][1].empty()) m_detail->addItem(VersQString(grille[i][1]));
    if (evenement && m_detail->count() == 0)
      for (const std::string* k : {&m_app.bd->NatNaissance, &m_app.bd->NatBapteme, &m_app.bd->NatDeces,
                                   &m_app.bd->NatSepulture, &m_app.bd->NatMariage})
        m_detail->addItem(VersQString(*k));
    const int i = m_detail->findText(avant);
    if (i >= 0) m_detail->setCurrentIndex(i);
  }
  m_detail->setVisible(evenement || champ == ChampBalise::ChampPerso);
  m_mot->setVisible(evenement);
  MontreApercu();
}

QString TfmEdite::Balise() const {
  TChoixBalise c;
  constexpr QuiBalise qui[] = {QuiBalise::Individu, QuiBalise::Pere, QuiBalise::Mere,
                               QuiBalise::Conjoint, QuiBalise::Union};
  c.qui = qui[std::clamp(m_qui->currentIndex(), 0, 4)];
  c.numero = m_numero->value();
  c.champ = kChamps[std::clamp(m_champ->currentIndex(), 0, 12)];
  c.detail = DepuisQString(m_detail->currentText().trimmed());
  c.motEvenement = m_mot->currentData().isValid() ? m_mot->currentData().toInt() : kMotChampDate;
  return VersQString(ConstruitBalise(m_app.mots, c, DepuisQString(m_texte->text())));
}

void TfmEdite::Ajoute() {
  const QString b = Balise();
  if (b.isEmpty()) return;
  m_texte->setText(m_texte->text() + b + " ");
}

void TfmEdite::MontreApercu() {
  m_balise->setText(Balise());
  if (m_personne <= 0) {
    m_apercu->setText(QString());
    return;
  }
  TContexteModele modele{*m_app.bd, m_app.mots};
  modele.formatDate = m_app.ini.formatDate;
  modele.fetes = &m_app.fetes;
  modele.traduction = &m_app.traduction;
  m_apercu->setText(VersQString(ExpandTemplate(modele, m_personne, DepuisQString(m_texte->text()))));
}

}  // namespace kindrela

#include "gui/editing/merge_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/ansi_literal.h"
#include "core/database.h"
#include "editing/merge.h"
#include "gui/common/message_box.h"
#include "gui/common/qt_text.h"
#include "gui/i18n/translate_window.h"
#include "gui/main/application.h"

namespace kindrela {

TFusion::TFusion(TApplication& app, int premiere, Actions actions, QWidget* parent)
    : QDialog(parent), m_app(app), m_actions(std::move(actions)) {
  setObjectName("Fusion");
  setWindowTitle("Fusion");
  setModal(false);

  auto* grille = new QGridLayout;
  const char* const etiquettes[2] = {"Fusionner", "avec"};
  const char* const nomsEtiquettes[2] = {"L_Fusionner", "L_Avec"};
  for (int cote = 0; cote < 2; ++cote) {
    auto* etiquette = new QLabel(etiquettes[cote], this);
    etiquette->setObjectName(nomsEtiquettes[cote]);
    auto* boite = new QLineEdit(this);
    boite->setObjectName(cote == 0 ? "E_Pers1" : "E_Pers2");
    boite->setReadOnly(true);
    boite->setMinimumWidth(280);
    auto* selection = new QPushButton(VersQString("Sélectionner"_ansi), this);
    selection->setObjectName(cote == 0 ? "sbSelection1" : "sbSelection2");
    auto* voir = new QPushButton("Voir fiche", this);
    voir->setObjectName(cote == 0 ? "sbVoir1" : "sbVoir2");
    connect(selection, &QPushButton::clicked, this, [this, cote] { Selectionne(cote); });
    connect(voir, &QPushButton::clicked, this, [this, cote] { Voir(cote); });
    grille->addWidget(etiquette, cote, 0);
    grille->addWidget(boite, cote, 1);
    grille->addWidget(selection, cote, 2);
    grille->addWidget(voir, cote, 3);
    m_boites[cote] = boite;
    m_voir[cote] = voir;
  }
  B_Fusionner = new QPushButton("Fusionner", this);
  B_Fusionner->setObjectName("B_Fusionner");
  B_Annuler = new QPushButton("Annuler", this);
  B_Annuler->setObjectName("B_Annuler");
  connect(B_Fusionner, &QPushButton::clicked, this, &TFusion::Fusionne);
  connect(B_Annuler, &QPushButton::clicked, this, &QDialog::reject);
  auto* boutons = new QHBoxLayout;
  boutons->addStretch();
  boutons->addWidget(B_Fusionner);
  boutons->addWidget(B_Annuler);
  auto* colonne = new QVBoxLayout(this);
  colonne->addLayout(grille);
  colonne->addLayout(boutons);

  TraduitFenetre(this, app.traduction);
  FixePersonne(0, premiere);
}

void TFusion::FixePersonne(int cote, int p) {
  m_personnes[cote] = m_app.bd->FicheUtilisee(p) ? p : 0;
  Rafraichit();
}

void TFusion::Rafraichit() {
  const TBD& bd = *m_app.bd;
  for (int cote = 0; cote < 2; ++cote) {
    if (!bd.FicheUtilisee(m_personnes[cote])) m_personnes[cote] = 0;
    m_boites[cote]->setText(VersQString(LibelleFusion(bd, m_personnes[cote])));
    m_voir[cote]->setEnabled(m_personnes[cote] != 0);
  }
  B_Fusionner->setEnabled(m_personnes[0] != 0 && m_personnes[1] != 0);
}

void TFusion::Selectionne(int cote) {
  if (!m_actions.recherche) return;
  const int p = m_actions.recherche();
  if (!m_app.bd->FicheUtilisee(p)) return;
  FixePersonne(cote, p);
  if (m_actions.selectionne) m_actions.selectionne(p);
}

void TFusion::Voir(int cote) {
  if (m_personnes[cote] != 0 && m_actions.voir) m_actions.voir(m_personnes[cote]);
}

void TFusion::Fusionne() {
  if (m_actions.avant) m_actions.avant();
  const ResultatFusion r = FusionPersonnes(*m_app.bd, m_personnes[0], m_personnes[1]);
  BoiteMessage(VersQString(r.message), r.ok() ? kInformation : kAttention, 0, this);
  if (!r.ok()) return;
  if (m_actions.apres) m_actions.apres(m_personnes[0]);
  Rafraichit();
}

}  // namespace kindrela

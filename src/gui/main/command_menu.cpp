#include "gui/main/command_menu.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/ini_file.h"
#include "gui/common/qt_text.h"

namespace kindrela {
namespace {

// "RRRGGGBBB" as a style-sheet colour; `defaut` when the text is not one.
QString Couleur(const std::string& neufChiffres, const char* defaut) {
  if (neufChiffres.size() != 9) return defaut;
  for (char c : neufChiffres)
    if (c < '0' || c > '9') return defaut;
  auto composante = [&](int i) { return std::stoi(neufChiffres.substr(static_cast<size_t>(i) * 3, 3)); };
  return QString("rgb(%1,%2,%3)").arg(composante(0)).arg(composante(1)).arg(composante(2));
}

}  // namespace

TMenuCommandes::TMenuCommandes(const std::string& dossierSkin, QWidget* parent) : QWidget(parent) {
  setObjectName("MenuCommandes");
  FichierIni skin(dossierSkin + "skin.txt");
  const std::string s = "Menu";
  const QString dossier = VersQString(dossierSkin);
  const int largeur = skin.LitEntier(s, "Largeur", 200);
  m_hauteurLigne = skin.LitEntier(s, "HauteurLigne", 20);
  const int hauteurTitre = skin.LitEntier(s, "HauteurTitre", 22);
  const QString police = VersQString(skin.LitTexte(s, "Police", "Arial"));
  const int taille = skin.LitEntier(s, "TaillePolice", 9);
  const QString fond = Couleur(skin.LitTexte(s, "CouleurFond", ""), "rgb(245,236,215)");
  const QString titre = Couleur(skin.LitTexte(s, "CouleurTitre", ""), "white");
  const QString texte = Couleur(skin.LitTexte(s, "CouleurTexte", ""), "rgb(60,40,20)");
  const QString survol = Couleur(skin.LitTexte(s, "CouleurSurvol", ""), "rgb(176,60,20)");
  const QString inactif = Couleur(skin.LitTexte(s, "CouleurInactif", ""), "gray");
  const QString imageTitre = dossier + VersQString(skin.LitTexte(s, "Titre", ""));
  const QString imageFond = dossier + VersQString(skin.LitTexte(s, "Fond", ""));

  setFixedWidth(largeur);
  setAttribute(Qt::WA_StyledBackground, true);
  setStyleSheet(QString("#MenuCommandes { background-color: %1; border-image: url(%2) 0 0 0 0 stretch stretch; }")
                    .arg(fond, imageFond));
  m_styleTitre = QString("QLabel { color: %1; font: bold %2pt \"%3\"; padding-left: 6px;"
                         " border-image: url(%4) 0 0 0 0 stretch stretch; min-height: %5px; }")
                     .arg(titre).arg(taille).arg(police, imageTitre).arg(hauteurTitre);
  m_styleCommande = QString("QPushButton { color: %1; font: %2pt \"%3\"; border: none; text-align: left;"
                            " padding-left: %4px; background: transparent; }"
                            " QPushButton:hover, QPushButton:focus { color: %5; text-decoration: underline; }"
                            " QPushButton:disabled { color: %6; }")
                        .arg(texte).arg(taille).arg(police)
                        .arg(skin.LitEntier(s, "Retrait", 12)).arg(survol, inactif);
  m_colonne = new QVBoxLayout(this);
  m_colonne->setContentsMargins(0, 0, 0, 0);
  m_colonne->setSpacing(0);
}

void TMenuCommandes::AjouteSection(const QString& cle, const QString& titre) {
  auto* label = new QLabel(titre, this);
  label->setObjectName("titre" + cle);
  label->setStyleSheet(m_styleTitre);
  m_colonne->addWidget(label);
  m_sections[cle].titre = label;
  m_courante = cle;
}

QPushButton* TMenuCommandes::AjouteCommande(int numero, const QString& texte) {
  auto* b = new QPushButton(this);
  b->setObjectName(QString("mi%1").arg(numero));
  b->setText(texte);
  b->setFlat(true);
  b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  b->setFixedHeight(m_hauteurLigne);
  b->setStyleSheet(m_styleCommande);
  b->setCursor(Qt::PointingHandCursor);
  b->setFocusPolicy(Qt::StrongFocus);
  connect(b, &QPushButton::clicked, this, [this, numero] { emit CommandeChoisie(numero); });
  m_colonne->addWidget(b);
  m_sections[m_courante].commandes.push_back(b);
  m_commandes[numero] = b;
  return b;
}

void TMenuCommandes::FinSections() { m_colonne->addStretch(1); }

void TMenuCommandes::MontreSection(const QString& cle, bool visible) {
  auto it = m_sections.find(cle);
  if (it == m_sections.end()) return;
  it->second.titre->setVisible(visible);
  for (QPushButton* b : it->second.commandes) b->setVisible(visible);
}

bool TMenuCommandes::SectionVisible(const QString& cle) const {
  auto it = m_sections.find(cle);
  return it != m_sections.end() && !it->second.titre->isHidden();
}

void TMenuCommandes::ActiveCommande(int numero, bool actif) {
  if (QPushButton* b = Commande(numero)) b->setEnabled(actif);
}

QPushButton* TMenuCommandes::Commande(int numero) const {
  auto it = m_commandes.find(numero);
  return it == m_commandes.end() ? nullptr : it->second;
}

}  // namespace kindrela

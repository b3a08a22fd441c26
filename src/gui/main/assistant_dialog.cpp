#include "gui/main/assistant_dialog.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "core/ansi_literal.h"
#include "gui/common/message_box.h"
#include "gui/common/qt_text.h"
#include "i18n/translation.h"
#include "gui/i18n/translate_window.h"

namespace kindrela {

bool DialogueAssistant(QWidget* parent, const TTraduction& traduction,
                       std::array<TPersonneAssistant, 7>& personnes) {
  QDialog d(parent);
  d.setObjectName("fmAssistant");
  d.setWindowTitle(VersQString("Assistant : nouvelle généalogie"_ansi));
  auto* grille = new QGridLayout;
  const char* colonnes[6] = {"Nom", "Prénoms"_ansi, "Date de naissance", "Lieu de naissance",
                             "Date de décès"_ansi, "Lieu de décès"_ansi};
  const char* champs[6] = {"eNom", "ePre", "eDateN", "eLieuN", "eDateD", "eLieuD"};
  const char* lignes[7] = {"Vous", "Père"_ansi, "Mère"_ansi, "Grand-père paternel"_ansi,
                           "Grand-mère paternelle"_ansi, "Grand-père maternel"_ansi,
                           "Grand-mère maternelle"_ansi};
  for (int c = 0; c < 6; ++c) {
    auto* titre = new QLabel(VersQString(colonnes[c]), &d);
    titre->setObjectName(QString("lTitre%1").arg(c + 1));
    grille->addWidget(titre, 0, c + 1);
  }
  std::array<std::array<QLineEdit*, 6>, 7> edits{};
  for (int l = 0; l < 7; ++l) {
    auto* nom = new QLabel(VersQString(lignes[l]), &d);
    nom->setObjectName(QString("lPersonne%1").arg(l + 1));
    grille->addWidget(nom, l + 1, 0);
    for (int c = 0; c < 6; ++c) {
      auto* e = new QLineEdit(&d);
      e->setObjectName(QString("%1%2").arg(champs[c]).arg(l + 1));
      e->setMinimumWidth(c % 2 == 0 ? 120 : 100);
      grille->addWidget(e, l + 1, c + 1);
      edits[static_cast<size_t>(l)][static_cast<size_t>(c)] = e;
    }
  }
  // The user's own sex is asked: every other slot's follows from its place.
  auto* titreSexe = new QLabel(VersQString("Sexe"), &d);
  titreSexe->setObjectName("lTitre7");
  grille->addWidget(titreSexe, 0, 7);
  auto* sexe = new QComboBox(&d);
  sexe->setObjectName("cbSexe1");
  sexe->addItems({VersQString("Homme"), VersQString("Femme"), VersQString("Inconnu")});
  sexe->setCurrentIndex(-1);
  sexe->setPlaceholderText(VersQString("?"));
  grille->addWidget(sexe, 1, 7);
  for (int l = 1; l < 7; ++l) {
    auto* fixe = new QLabel(VersQString(l % 2 == 1 ? "Homme" : "Femme"), &d);
    fixe->setObjectName(QString("lSexe%1").arg(l + 1));
    fixe->setEnabled(false);
    grille->addWidget(fixe, l + 1, 7);
  }
  auto* aide = new QLabel(VersQString("Seules les personnes dont le nom et les prénoms sont remplis "
                                      "sont créées."_ansi),
                          &d);
  aide->setObjectName("lAide");
  auto* boutons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &d);
  QObject::connect(boutons, &QDialogButtonBox::accepted, &d, [&] {
    const bool vous = !edits[0][0]->text().trimmed().isEmpty() && !edits[0][1]->text().trimmed().isEmpty();
    if (vous && sexe->currentIndex() < 0) {
      BoiteMessage(VersQString("Indiquez si vous êtes un homme ou une femme."_ansi), kAttention, 0, &d);
      sexe->setFocus();
      return;
    }
    d.accept();
  });
  QObject::connect(boutons, &QDialogButtonBox::rejected, &d, &QDialog::reject);
  auto* colonne = new QVBoxLayout(&d);
  colonne->addLayout(grille);
  colonne->addWidget(aide);
  colonne->addWidget(boutons);
  TraduitFenetre(&d, traduction);
  if (d.exec() != QDialog::Accepted) return false;
  for (size_t l = 0; l < 7; ++l) {
    auto texte = [&](size_t c) { return DepuisQString(edits[l][c]->text()); };
    personnes[l] = {texte(0), texte(1), texte(2), texte(3), texte(4), texte(5)};
  }
  // Items in the order of the stored sex: 0 man, 1 woman, 2 unknown.
  personnes[0].sexe = sexe->currentIndex() >= 0 ? sexe->currentIndex() : 2;
  return true;
}

}  // namespace kindrela

#include "gui/main/assistant_dialog.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "core/ansi_literal.h"
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
  auto* aide = new QLabel(VersQString("Seules les personnes dont le nom et les prénoms sont remplis "
                                      "sont créées."_ansi),
                          &d);
  aide->setObjectName("lAide");
  auto* boutons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &d);
  QObject::connect(boutons, &QDialogButtonBox::accepted, &d, &QDialog::accept);
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
  return true;
}

}  // namespace kindrela

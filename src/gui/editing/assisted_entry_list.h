// "Aide à la saisie (F3 pour tout afficher)" (`TfmListe`): the small list
// that drops below a name, place or custom-field edit with the values of the
// tree starting with what is typed (chosen by editing/assisted_entry.h).
// It never takes the focus; the edit's keys drive it. Created once, shown
// and hidden as needed.
#pragma once

#include <QWidget>
#include <functional>
#include <string>

#include "gui/editing/record_window.h"

class QLabel;
class QListWidget;

namespace kindrela {

struct TApplication;

class TfmListe : public QWidget, public TSaisieAssistee {
  Q_OBJECT
 public:
  // `selection` gives the person whose own custom field values are not offered.
  TfmListe(TApplication& app, std::function<int()> selection, QWidget* parent = nullptr);

  bool Visible() const override;
  void Ferme() override;
  void Offre(QLineEdit* edit, Sorte sorte, const std::string& libelle, bool toutes) override;
  bool Touche(QLineEdit* edit, QKeyEvent* touche) override;

  QListWidget* Liste() const { return m_liste; }
  QLineEdit* Edit() const { return m_edit; }

 protected:
  bool event(QEvent* e) override;

 private:
  void Copie();

  TApplication& m_app;
  std::function<int()> m_selection;
  QLineEdit* m_edit = nullptr;
  QLabel* m_titre = nullptr;
  QListWidget* m_liste = nullptr;
  bool m_copie = false;  // the chosen value is being written into the edit
};

}  // namespace kindrela

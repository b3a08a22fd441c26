// "Rechercher et remplacer" (`TfmRemp`): rewrites one kind of data in the
// whole tree and lists its distinct values with their uses. A tool window
// that stays on top without blocking the main window; what changes and
// what the listing holds come from editing/replace.h.
#pragma once

#include <QWidget>
#include <functional>

#include "editing/replace.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace kindrela {

struct TApplication;

class TfmRemp : public QWidget {
  Q_OBJECT
 public:
  struct Actions {
    // Shows the listing in the report window; false when it is busy.
    std::function<bool(const ListageRemp& listage)> montreListe;
    // After a replacement: the selected person redisplayed, the chart redrawn.
    std::function<void()> apres;
  };
  TfmRemp(TApplication& app, Actions actions, QWidget* parent = nullptr);

  // Shown again: no data kind chosen, the field names read afresh.
  void Montre();
  // "&Remplacer": applies the change; the number of values rewritten.
  int Remplace();
  void Liste();

 private:
  bool Choix(DonneeRemp& d, ChangementRemp& c) const;
  void MetAJour();

  TApplication& m_app;
  Actions m_actions;
  QListWidget* lb = nullptr;
  QComboBox* cb = nullptr;
  QLineEdit* e1 = nullptr;
  QLineEdit* e2 = nullptr;
  QPushButton* sb = nullptr;
  QRadioButton* rb1 = nullptr;
  QRadioButton* rb2 = nullptr;
  QRadioButton* rb3 = nullptr;
  QRadioButton* rb4 = nullptr;
  QCheckBox* cbVoir = nullptr;
  QPushButton* bOk = nullptr;
};

}  // namespace kindrela

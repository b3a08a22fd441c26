// "Fusion" (`TFusion`): merges a duplicate (the second person) into the
// person to keep (the first). Each side is chosen with the person search and
// can be looked at in the family window; "Fusionner" runs the merge and
// says how it went. Shown without blocking the main window.
#pragma once

#include <QDialog>
#include <array>
#include <functional>

class QLineEdit;
class QPushButton;

namespace kindrela {

struct TApplication;

class TFusion : public QDialog {
  Q_OBJECT
 public:
  struct Actions {
    std::function<int()> recherche;         // the person search: the chosen person, 0 when cancelled
    std::function<void(int p)> selectionne;  // p becomes the main window's selected person
    std::function<void(int p)> voir;         // the family window (and the chart) show p
    std::function<void()> avant;             // before the merge: commit what is typed
    std::function<void(int garde)> apres;    // after a merge: select, redisplay, redraw
  };
  // The first side starts with `premiere` (0: empty).
  TFusion(TApplication& app, int premiere, Actions actions, QWidget* parent = nullptr);

  // Side 0 is the person to keep, side 1 the duplicate.
  void FixePersonne(int cote, int p);
  int Personne(int cote) const { return m_personnes[cote]; }
  // "Sélectionner", "Voir fiche" and "Fusionner".
  void Selectionne(int cote);
  void Voir(int cote);
  void Fusionne();
  // The boxes again, after the persons changed elsewhere.
  void Rafraichit();

 private:
  TApplication& m_app;
  Actions m_actions;
  std::array<int, 2> m_personnes{};
  std::array<QLineEdit*, 2> m_boites{};
  std::array<QPushButton*, 2> m_voir{};
  QPushButton* B_Fusionner = nullptr;
  QPushButton* B_Annuler = nullptr;
};

}  // namespace kindrela

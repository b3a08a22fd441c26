// The main window: owns the run's state through TApplication, drives the
// tree's life cycle and every command.
#pragma once

#include <QMainWindow>

namespace kindrela {

struct TApplication;

class TScaWin : public QMainWindow {
  Q_OBJECT
 public:
  explicit TScaWin(TApplication& app, QWidget* parent = nullptr);

  // Run once by the start after every window exists: creates the database,
  // reads the per-user settings and places the window.
  void Initialise();
  // Refreshes the caption from the identity and the current file.
  void TitreFenetre();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  // The user's folders are created when missing; example trees are copied
  // into the my-trees folder when no file of that name is there.
  void PrepareDossiersUtilisateur();
  void LitFeuilleDeStyle();
  void SauveReglages();

  TApplication& m_app;
};

}  // namespace kindrela

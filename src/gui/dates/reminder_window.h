// TfmAnniFete, "Anniversaires et fêtes à souhaiter": a small borderless
// window with rounded corners listing today's birthdays and name days and
// those of the days ahead, read from the reminder file alone. A click or a
// key closes it.
#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "dates/anniversaries.h"

class QVBoxLayout;

namespace kindrela {

struct TApplication;

class TfmAnniFete : public QDialog {
  Q_OBJECT
 public:
  TfmAnniFete(const std::vector<TLigneRappel>& lignes, QWidget* parent = nullptr);
  // The texts shown, in order (blank lines included).
  QStringList Textes() const;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* objet, QEvent* event) override;
};

// Shows the reminder window modally when the reminder file exists, with
// today's lines; nothing otherwise. True when it was shown.
bool AfficherRappels(QWidget* owner, const TApplication& app);
// Whether the reminder file exists.
bool RappelsExistent(const TApplication& app);

// The start-up entry of the reminder, in the user's autostart folder;
// written (true) or removed (false) as the option says.
bool FixeDemarrageRappels(bool actif, const TApplication& app);
// Where that entry lives.
QString FichierDemarrageRappels();

}  // namespace kindrela

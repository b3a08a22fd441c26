// The scanner of the source editor, through SANE: which scanners the
// machine offers, and one picture acquired from one of them. Built without
// SANE, no scanner is ever found and the reason says why.
//
// Every call opens and closes its own SANE session under one lock, so the
// search for scanners may run on a worker thread while the window waits.
#pragma once

#include <QImage>
#include <QString>
#include <functional>
#include <vector>

namespace kindrela {

struct TScanner {
  QString nom;          // the device name SANE opens ("test:0", "pixma:04A91234")
  QString description;  // maker and model, for the user
};

struct TRechercheScanners {
  std::vector<TScanner> scanners;
  QString raison;  // why there is none (empty when there is one)
};

// The scanners attached to the machine or on its network. May take seconds
// with network backends: call it off the user-interface thread.
TRechercheScanners RechercheScanners();

// Acquires one page from scanner `nom`, in colour at about 300 dpi when the
// scanner offers them, else with its own settings. `progres` gets the part
// done (0 to 1) and returns false to stop the scan. A null picture on
// failure or when stopped, with the reason in `erreur`.
QImage AcquiertImage(const QString& nom, const std::function<bool(double)>& progres, QString& erreur);

}  // namespace kindrela

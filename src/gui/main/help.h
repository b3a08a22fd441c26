// F1 and "Afficher l'aide": the manual's page of the window in front.
#pragma once

#include <QUrl>
#include <functional>

class QWidget;

namespace kindrela {

struct TApplication;

// Opens the page that documents the control with focus in `devant` (the
// active window when null). A missing manual is said in a message box.
void AfficheAide(const TApplication& app, QWidget* devant = nullptr);

// Where a manual page goes: the system browser unless a test (or, later,
// the built-in browser) puts its own; an empty function restores it.
using OuvreurAide = std::function<void(const QUrl&)>;
void FixeOuvreurAide(OuvreurAide ouvreur);

}  // namespace kindrela

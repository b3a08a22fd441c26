// TfmWeb, the built-in browser: shows the pages the program writes and
// turns a link to a person's card back into that person in the program.
// It reads the pages as the program writes them (HTML without scripts), so
// it needs no browser engine; the online map and any page with a script go
// to the system's browser.
#pragma once

#include <QUrl>
#include <QWidget>
#include <functional>

class QLabel;
class QPushButton;
class QTextBrowser;

namespace kindrela {

struct TApplication;

class TfmWeb : public QWidget {
  Q_OBJECT
 public:
  explicit TfmWeb(TApplication& app, QWidget* parent = nullptr);

  // Shows the window on the page `chemin` (a file), its path in the status bar.
  void ViewSite(const QString& chemin);

  // What following a link to card r does: `ctrl` when Ctrl was held.
  using ActionFiche = std::function<void(int r, bool ctrl)>;
  void SetActionFiche(ActionFiche action) { m_actionFiche = std::move(action); }

  // The mouse over `lien` (empty: over no link): the status bar names the
  // person of a card link, else shows the link or the page.
  void Survole(const QUrl& lien, bool ctrl);
  // Follows `lien`: a card link runs the card action instead; any other
  // link is shown here. True when the link was a card link.
  bool Suit(const QUrl& lien, bool ctrl);
  // The person a link names: 0 for any other link.
  int PersonneDuLienUrl(const QUrl& lien) const;

  QString TexteEtat() const;
  QUrl PageCourante() const;

 protected:
  bool eventFilter(QObject* objet, QEvent* event) override;

 private:
  void Imprime();
  void MetAJourBoutons();

  TApplication& m_app;
  QTextBrowser* m_vue = nullptr;
  QLabel* m_etat = nullptr;
  QPushButton* m_precedente = nullptr;
  QPushButton* m_suivante = nullptr;
  QString m_chemin;
  QUrl m_survol;  // the link under the mouse, empty when none
  ActionFiche m_actionFiche;
};

}  // namespace kindrela

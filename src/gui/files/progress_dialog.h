// The progress window of every long operation: a modal bar with a cancel
// button, bound to the core's Progression callback.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <memory>

#include "core/status.h"

class QProgressDialog;
class QWidget;

namespace kindrela {

class TTraduction;

// One run of one operation. Nothing shows while the work is quick: the
// window appears at the first progress point reached after `delaiMs`. Bar
// updates are limited to about twenty a second; each one lets the window
// system process pending events, so that the program stays responsive and
// the cancel button (or Escape) can be pressed. The object must outlive
// every copy of the callback it hands out.
class TProgression : public QObject {
  Q_OBJECT
 public:
  static constexpr int kDelaiParDefaut = 300;

  // `traduction`, when given, translates the window ("fmProgression").
  TProgression(QWidget* parent, const QString& titre, const QString& texte = {},
               int delaiMs = kDelaiParDefaut, const TTraduction* traduction = nullptr);
  ~TProgression() override;

  // The callback for the core: true to go on, false once the user cancelled.
  Progression Rappel();
  // What Rappel's callback does (exposed for callers that drive it themselves).
  bool Avance(long long fait, long long total);

  // The line of text above the bar (an import's counts, for example).
  void Texte(const QString& texte);
  // True once the user pressed cancel or Escape, or Annuler was called.
  bool Annule() const;
  // Asks the work to stop, as the cancel button does.
  void Annuler();
  // Ends the window for good once the work is over: it is destroyed, so
  // that nothing can bring it back over the windows that follow.
  void Termine();

  // The window (created at once, shown only after the delay); null after
  // Termine.
  QProgressDialog* Dialogue() const { return m_dialogue.get(); }
  bool Visible() const;

 private:
  std::unique_ptr<QProgressDialog> m_dialogue;
  QElapsedTimer m_depuisDebut;
  QElapsedTimer m_depuisMaj;
  int m_delai;
  bool m_majFaite = false;
  bool m_annule = false;
};

}  // namespace kindrela

#include "gui/files/progress_dialog.h"

#include <QCoreApplication>
#include <QProgressDialog>
#include <QPushButton>

#include <algorithm>
#include <limits>

#include "gui/common/qt_text.h"
#include "gui/i18n/translate_window.h"

namespace kindrela {
namespace {

// About twenty refreshes a second are enough for the eye.
constexpr qint64 kIntervalleMaj = 50;
// The bar counts in an int: large totals are scaled down.
constexpr long long kMaxBarre = 1000000;

}  // namespace

TProgression::TProgression(QWidget* parent, const QString& titre, const QString& texte, int delaiMs,
                           const TTraduction* traduction)
    : m_dialogue(std::make_unique<QProgressDialog>(parent)), m_delai(std::max(0, delaiMs)) {
  m_dialogue->setObjectName("fmProgression");
  // The dialog's own button: only it comes with the Escape shortcut.
  m_dialogue->setCancelButtonText(VersQString("Annuler"));
  if (auto* annuler = m_dialogue->findChild<QPushButton*>()) {
    annuler->setObjectName("bAnnule");
    // Enter must not stop the work by accident.
    annuler->setAutoDefault(false);
  }
  if (traduction) TraduitFenetre(m_dialogue.get(), *traduction);
  m_dialogue->setWindowTitle(titre);
  m_dialogue->setLabelText(texte);
  m_dialogue->setWindowModality(Qt::WindowModal);
  // Showing is ours to decide: QProgressDialog's own timer would show it
  // even when the work reports nothing.
  m_dialogue->setMinimumDuration(std::numeric_limits<int>::max());
  m_dialogue->setAutoClose(false);
  m_dialogue->setAutoReset(false);
  m_dialogue->setRange(0, 0);
  m_dialogue->setMinimumWidth(360);
  // QProgressDialog starts its own show timer when it is made: stopped here,
  // or the window would come up by itself a few seconds later, even over
  // whatever the program shows once the work is over.
  m_dialogue->reset();
  m_dialogue->hide();
  connect(m_dialogue.get(), &QProgressDialog::canceled, this, [this] { m_annule = true; });
  connect(m_dialogue.get(), &QDialog::rejected, this, [this] { m_annule = true; });
  m_depuisDebut.start();
}

TProgression::~TProgression() = default;

Progression TProgression::Rappel() {
  return [this](long long fait, long long total) { return Avance(fait, total); };
}

bool TProgression::Avance(long long fait, long long total) {
  if (Annule()) return false;
  if (!m_dialogue) return true;
  const bool fin = total > 0 && fait >= total;
  if (m_majFaite && !fin && m_depuisMaj.elapsed() < kIntervalleMaj) return true;
  if (!m_dialogue->isVisible() && m_depuisDebut.elapsed() < m_delai) return true;
  m_majFaite = true;
  if (total > 0) {
    long long echelle = std::max(1LL, (total + kMaxBarre - 1) / kMaxBarre);
    int max = static_cast<int>(total / echelle);
    int val = static_cast<int>(std::clamp(fait, 0LL, total) / echelle);
    if (m_dialogue->maximum() != max) m_dialogue->setRange(0, max);
    m_dialogue->setValue(val);
  }
  if (!m_dialogue->isVisible()) m_dialogue->show();
  QCoreApplication::processEvents();
  // Counted from the end of this refresh, so that a slow one is not followed at once by another.
  m_depuisMaj.start();
  return !Annule();
}

void TProgression::Texte(const QString& texte) {
  if (m_dialogue) m_dialogue->setLabelText(texte);
}

bool TProgression::Annule() const { return m_annule || (m_dialogue && m_dialogue->wasCanceled()); }

void TProgression::Annuler() { m_annule = true; }

void TProgression::Termine() {
  if (!m_dialogue) return;
  m_annule = Annule();
  // Each bar update restarts QProgressDialog's show timer: only a window
  // that no longer exists is sure never to come back over the next one.
  m_dialogue->hide();
  m_dialogue.reset();
}

bool TProgression::Visible() const { return m_dialogue && m_dialogue->isVisible(); }

}  // namespace kindrela

// The options window's page of the web views: what the source page shows of
// each source, and whether pages open in the built-in browser.
#pragma once

#include <QWidget>

#include "analysis/web_views.h"

class QCheckBox;
class QSpinBox;

namespace kindrela {

class TReglages;

// The source page's choices as the settings hold them.
TOptionsPageSources OptionsSourcesDepuisReglages(const TReglages& reglages);

class TPageOptionsSourcesWeb : public QWidget {
  Q_OBJECT
 public:
  explicit TPageOptionsSourcesWeb(const TReglages& reglages, QWidget* parent = nullptr);
  void Applique(TReglages& reglages) const;

 private:
  QCheckBox* m_sorte = nullptr;
  QCheckBox* m_note = nullptr;
  QCheckBox* m_fichier = nullptr;
  QCheckBox* m_fichierLien = nullptr;
  QSpinBox* m_fichierMax = nullptr;
  QCheckBox* m_personnes = nullptr;
  QCheckBox* m_navigateur = nullptr;
};

}  // namespace kindrela

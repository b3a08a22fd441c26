#include "gui/analysis/options_web_page.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

#include "app/settings.h"
#include "core/ansi_literal.h"
#include "gui/common/qt_text.h"

namespace kindrela {
namespace {

QCheckBox* Case(const char* nom, std::string_view texte, bool coche, QWidget* parent) {
  auto* c = new QCheckBox(VersQString(texte), parent);
  c->setObjectName(nom);
  c->setChecked(coche);
  return c;
}

}  // namespace

TOptionsPageSources OptionsSourcesDepuisReglages(const TReglages& r) {
  TOptionsPageSources o;
  o.sorte = r.Bool(kSectionOptions, "SrcSorte");
  o.note = r.Bool(kSectionOptions, "SrcNote");
  o.fichier = r.Bool(kSectionOptions, "SrcFichier");
  o.personnes = r.Bool(kSectionOptions, "SrcPers");
  return o;
}

TPageOptionsSourcesWeb::TPageOptionsSourcesWeb(const TReglages& r, QWidget* parent) : QWidget(parent) {
  setObjectName("tsSourcesWeb");
  auto* sources = new QGroupBox(VersQString("Page Web des sources"_ansi), this);
  sources->setObjectName("gbSrcWeb");
  m_sorte = Case("cbSrcSorte", "Visualiser le type de source", r.Bool(kSectionOptions, "SrcSorte"), sources);
  m_note = Case("cbSrcNote", "Visualiser les notes", r.Bool(kSectionOptions, "SrcNote"), sources);
  m_fichier = Case("cbSrcFichier", "Visualiser les images", r.Bool(kSectionOptions, "SrcFichier"), sources);
  m_fichierLien = Case("cbSrcFichierLien", "Mettre un lien vers l'image à la taille originale"_ansi,
                       r.Bool(kSectionOptions, "SrcFichierLien"), sources);
  m_fichierMax = new QSpinBox(sources);
  m_fichierMax->setObjectName("seSrcFichierMax");
  m_fichierMax->setRange(16, 2000);
  m_fichierMax->setValue(r.Entier(kSectionOptions, "SrcFichierMax"));
  m_personnes = Case("cbSrcPers", "Visualiser la liste des personnes liées à la source"_ansi,
                     r.Bool(kSectionOptions, "SrcPers"), sources);
  auto* taille = new QFormLayout;
  auto* l = new QLabel(VersQString("Taille maximale des images (pixels)"), sources);
  l->setObjectName("lSrcFichierMax");
  taille->addRow(l, m_fichierMax);
  auto* v = new QVBoxLayout(sources);
  for (QCheckBox* c : {m_sorte, m_note, m_fichier, m_fichierLien}) v->addWidget(c);
  v->addLayout(taille);
  v->addWidget(m_personnes);
  connect(m_fichier, &QCheckBox::toggled, m_fichierLien, &QWidget::setEnabled);
  connect(m_fichier, &QCheckBox::toggled, m_fichierMax, &QWidget::setEnabled);
  m_fichierLien->setEnabled(m_fichier->isChecked());
  m_fichierMax->setEnabled(m_fichier->isChecked());

  m_navigateur = Case("cbWebBrowser",
                      "Afficher les pages dans le navigateur du programme (non coché : le navigateur du système)"_ansi,
                      r.Bool(kSectionOptions, "WebBrowser"), this);
  auto* racine = new QVBoxLayout(this);
  racine->addWidget(sources);
  racine->addWidget(m_navigateur);
  racine->addStretch(1);
}

void TPageOptionsSourcesWeb::Applique(TReglages& r) const {
  r.SetBool(kSectionOptions, "SrcSorte", m_sorte->isChecked());
  r.SetBool(kSectionOptions, "SrcNote", m_note->isChecked());
  r.SetBool(kSectionOptions, "SrcFichier", m_fichier->isChecked());
  r.SetBool(kSectionOptions, "SrcFichierLien", m_fichierLien->isChecked());
  r.SetEntier(kSectionOptions, "SrcFichierMax", m_fichierMax->value());
  r.SetBool(kSectionOptions, "SrcPers", m_personnes->isChecked());
  r.SetBool(kSectionOptions, "WebBrowser", m_navigateur->isChecked());
}

}  // namespace kindrela

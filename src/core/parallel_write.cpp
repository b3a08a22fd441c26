#include "core/parallel_write.h"

#include <exception>
#include <system_error>
#include <utility>

namespace kindrela {

void CoteACote(const std::function<void()>& ici, const std::function<void()>& ailleurs) {
  std::exception_ptr erreurAilleurs;
  std::thread fil;
  try {
    fil = std::thread([&] {
      try {
        ailleurs();
      } catch (...) {
        erreurAilleurs = std::current_exception();
      }
    });
  } catch (const std::system_error&) {
    ici();
    ailleurs();
    return;
  }
  try {
    ici();
  } catch (...) {
    fil.join();
    throw;
  }
  fil.join();
  if (erreurAilleurs) std::rethrow_exception(erreurAilleurs);
}

EcritureParallele::EcritureParallele(FichierNeuf& fichier) : m_fichier(fichier) {
  try {
    m_fil = std::thread([this] { Boucle(); });
  } catch (const std::system_error&) {
    // No thread to be had: Ajoute writes each piece itself.
  }
}

EcritureParallele::~EcritureParallele() { Attend(); }

int EcritureParallele::EcritPiece(const std::string& piece) {
  const int erreur = m_fichier.Ajoute(piece);
  if (erreur == 0) m_fichier.EnvoieAuDisque();
  return erreur;
}

int EcritureParallele::Ajoute(std::string& piece) {
  if (!m_fil.joinable()) {
    if (m_erreur == 0) m_erreur = EcritPiece(piece);
    piece.clear();
    return m_erreur;
  }
  std::unique_lock verrou(m_mutex);
  m_change.wait(verrou, [this] { return !m_plein; });
  // What comes back is the thread's previous buffer, emptied, room kept.
  m_attente.swap(piece);
  piece.clear();
  m_plein = true;
  const int erreur = m_erreur;
  verrou.unlock();
  m_change.notify_all();
  return erreur;
}

int EcritureParallele::Attend() {
  if (m_fil.joinable()) {
    {
      std::lock_guard verrou(m_mutex);
      m_fin = true;
    }
    m_change.notify_all();
    m_fil.join();
  }
  return m_erreur;
}

void EcritureParallele::Boucle() {
  std::string piece;
  for (;;) {
    int erreur = 0;
    {
      std::unique_lock verrou(m_mutex);
      m_change.wait(verrou, [this] { return m_plein || m_fin; });
      if (!m_plein) return;
      piece.swap(m_attente);
      m_plein = false;
      erreur = m_erreur;
    }
    m_change.notify_all();
    if (erreur == 0) erreur = EcritPiece(piece);
    piece.clear();
    std::lock_guard verrou(m_mutex);
    if (m_erreur == 0) m_erreur = erreur;
  }
}

}  // namespace kindrela

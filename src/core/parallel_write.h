// Work on large files shared by two threads: a file written on a thread of
// its own while its next piece is made, and two halves done side by side.
#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

#include "core/file_io.h"

namespace kindrela {

// Runs `ailleurs` on a thread of its own while `ici` runs on the caller's,
// and returns once both are done; where no thread can be started, runs
// them one after the other. An exception of either comes back here (the
// caller's first), once both have stopped.
void CoteACote(const std::function<void()>& ici, const std::function<void()>& ailleurs);

// Hands the pieces of a large write on to a FichierNeuf, written by a
// thread of its own: the caller makes the next piece while the system
// copies this one, and each piece is sent on to the disk at once, so that
// the final flush (FichierNeuf::Termine) has little left to wait for.
// Pieces are written in the order given. Where no thread can be started,
// each piece is written before Ajoute returns.
class EcritureParallele {
 public:
  explicit EcritureParallele(FichierNeuf& fichier);
  ~EcritureParallele();  // waits for the pieces handed on
  EcritureParallele(const EcritureParallele&) = delete;
  EcritureParallele& operator=(const EcritureParallele&) = delete;

  // Takes the bytes of `piece` and leaves an empty buffer in their place.
  // Returns the errno of a piece that failed so far, 0 while all went well
  // (after a failure nothing more is written).
  int Ajoute(std::string& piece);
  // Waits until every piece handed on is written: 0 or the first errno.
  int Attend();

 private:
  void Boucle();
  int EcritPiece(const std::string& piece);

  FichierNeuf& m_fichier;
  std::mutex m_mutex;
  std::condition_variable m_change;
  std::string m_attente;  // the piece waiting for the thread
  bool m_plein = false;   // m_attente holds a piece
  bool m_fin = false;     // no more pieces will come
  int m_erreur = 0;
  std::thread m_fil;
};

}  // namespace kindrela

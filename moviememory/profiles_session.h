#pragma once
// One opening of the profiles editor: the names of the remembered movies as
// the editor lists them, and the deletions the user makes, applied to the
// store at once. Plain C++; interface thread only.
//
// A row stands for one record, and deleting it removes that record: the
// record whose name is exactly the row's text. Looking the row up without
// regard to letter case would remove another movie's record when two files
// differ only in case (two different files on Linux), and the list would no
// longer show what the store holds.
#include <string>
#include <vector>

#include "moviememory/movie_memory.h"

namespace moviememory {

class ProfilesSession {
 public:
  // store must outlive the session; openMoviePath is CurrentMovie ("" none).
  ProfilesSession(MovieMemory& store, std::string openMoviePath);

  // The record names sorted without regard to case (equal names keep their
  // store order).
  const std::vector<std::string>& rows() const { return rows_; }

  // "Delete": removes the records of the selected rows, when there are rows
  // and focusedRow is one of them. Returns the row to select and focus
  // afterwards, min(focusedRow, rows left - 1), or -1 when none is left or
  // nothing happened.
  int deleteSelected(const std::vector<int>& selectedRows, int focusedRow);
  // "Delete all": every record goes.
  void deleteAll();

  // Whether this session removed any record (only then does closing write
  // the file: a store that could not be read stays untouched on disk).
  bool changed() const { return changed_; }
  // True when a movie is open and the store no longer has a record for it;
  // its record must then not be written again until it is opened anew.
  bool openMovieRecordGone() const;

 private:
  void buildRows();

  MovieMemory& store_;
  std::string openMoviePath_;
  std::vector<std::string> rows_;
  bool changed_ = false;
};

}  // namespace moviememory

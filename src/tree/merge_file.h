#pragma once

// Tree merge files: the records of several PGN files' fast files one after another, ended by one
// 0x0000 word. Filling one from the open file's current fast file is a copy; without a fast file
// the fast file writer parses the games itself (search/fast_file_writer.h).

#include <string>
#include <vector>

#include "tree/tree_source.h"

namespace ravelin::tree {

inline constexpr char kMergeFileMissing[] = "Merge file does not exist.";
inline constexpr char kNoMergeFileOpen[] = "There is no tree merge file open.";
inline constexpr char kMergeFileExists[] = "Tree merge file already exists. Do you want to overwrite?";
inline constexpr char kErrorMakingMergeFile[] = "Error making merge file.";
inline constexpr char kMergeTargetIsOwnFile[] =
    "The merge file cannot be the open PGN file or one of its own files.";
inline constexpr char kMergeFileFilter[] = "*.trm";

// The files a merge file may never be: the open PGN file and the files the program keeps beside it
// (its fast file pair and tree files), and the given database files.
std::vector<std::string> ProtectedFilesOf(const std::string& pgnPath,
                                          const std::vector<std::string>& databaseFiles);
// True when the two names lead to the same file (or the same name when neither exists).
bool SameFile(const std::string& a, const std::string& b);
bool IsProtected(const std::string& mergePath, const std::vector<std::string>& protectedFiles);

// Whether the file ends in the 0x0000 word an append writes over: an even size of at least 2 and
// a last word of zero.
bool MergeFileIsTerminated(const std::string& mergePath);

// Removes the tree files (both trees and their path file) of a source kind grown over base.
void RemoveTreeFiles(TreeSourceKind kind, const std::string& base);
// Removes the merge file's tree files, so that its tree is built again over the new records.
void RemoveMergeTreeFiles(const std::string& mergePath);

enum class MergeCopy {
    kComplete,
    kReadError,   // X.TRF could not be read, or is not a run of records ended by its end word
    kWriteError,  // the merge file could not be written; an append left it as it was
    kNotTerminated,
};

// The fast path: X.TRF copied whole into a new merge file (under a temporary name, renamed into
// place) or over the end word of an existing one (cut back to its old size on any failure).
MergeCopy CopyFastFileIntoMerge(const std::string& fastMovePath, const std::string& mergePath, bool append);
// The same for records already in memory (ending in their own end word).
MergeCopy WriteRecordsIntoMerge(const std::string& records, const std::string& mergePath, bool append);

}  // namespace ravelin::tree

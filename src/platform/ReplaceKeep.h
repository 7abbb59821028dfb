#pragma once
// The answers of the keep/replace question asked before a file is written over
// (replace_keep_file_flag): the "all" answers hold for the files that follow in the same run.
namespace ReplaceKeep {
constexpr int Replace = 0;
constexpr int Keep = 1;
constexpr int ReplaceAll = 2;
constexpr int KeepAll = 3;
constexpr int Cancel = 4;
constexpr int CancelAll = 5;
}  // namespace ReplaceKeep

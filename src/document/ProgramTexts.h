#pragma once

// Captions and message texts that the user sees; kept together so that every reader and writer
// says the same thing.
inline constexpr const char* kCaptionProgram = "Vexlor";
// Message boxes without a caption of their own show the application title.
inline constexpr const char* kCaptionApplication = "Norvan";

inline constexpr const char* kTextFileError = "File Error !";
inline constexpr const char* kTextFolderNameError = "Folder or file name error";
inline constexpr const char* kTextSaveFailed = "Failed to save the file";
inline constexpr const char* kTextGainPathEmpty = "sz_GainFilePath is null!";

// The message texts of qalbum: command-line errors and what a command reports.
#pragma once

namespace cli::msg {
inline constexpr const char* NoCommand = "No command given.";
inline constexpr const char* NoGroupCommand = "No %s command given.";
inline constexpr const char* UnknownCommand = "Unknown command \"%s\".";
inline constexpr const char* UnknownOption = "Unknown option \"%s\".";
// The value given, the option and the values it allows.
inline constexpr const char* InvalidValue = "Invalid value \"%s\" for %s (%s).";
inline constexpr const char* TakesNoValue = "The option %s takes no value.";
inline constexpr const char* NeedsValue = "The option %s needs a value (%s).";
inline constexpr const char* OptionRequired = "The option %s is required.";
inline constexpr const char* WrongArgumentCount = "Wrong number of arguments.";
inline constexpr const char* EmptyArgument = "The %s argument is empty.";
inline constexpr const char* ScaleRange = "--scale needs a number from 1 to %d, not \"%s\"";
inline constexpr const char* SizeRange = "--size needs a number from 1 to %d, not \"%s\"";
inline constexpr const char* ScaleOrSize = "Give --scale or --size, not both.";
inline constexpr const char* StdoutNeedsFormat = "Writing to standard output needs --format bmp or --format png.";
inline constexpr const char* OutputExtension = "The output file name must end in .bmp or .png";
inline constexpr const char* StdoutIsTerminal = "Standard output is a terminal; not writing picture data to it.";
inline constexpr const char* StdinIsTerminal = "Standard input is a terminal; not reading a database from it.";
inline constexpr const char* NoUserWithPictures = "No user with pictures was found.";
inline constexpr const char* PalmFolderHint =
    "For a Palm folder copied from another computer: qalbum users --palm-folder DIR";
inline constexpr const char* NoPictureDatabase = "%s holds no picture database.";
inline constexpr const char* PicturesAreElsewhere = "%s holds no picture database. Its pictures are in:";
inline constexpr const char* ExportOneOfThese =
    "Export one of these, or every user at once with: qalbum export-all --palm-folder %s DEST";
inline constexpr const char* ExpectedNameBmp = "Expected NAME=BMP, got \"%s\".";
inline constexpr const char* NameNotWindows1252 = "The name \"%s\" cannot be written in Windows-1252.";
inline constexpr const char* NoPictureNamed = "No picture named \"%s\".";
inline constexpr const char* EmptyPicture = "The picture \"%s\" is empty.";
inline constexpr const char* InvalidMaskColour = "Invalid mask colour \"%s\".";
}  // namespace cli::msg

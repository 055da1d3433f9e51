#include "core/language/FileFault.h"

#include "core/common/Keys.h"

namespace airmotor::core {

std::string FileKindEnglish(FileKind kind) {
    switch (kind) {
    case FileKind::RegularFile:
        return "a regular file";
    case FileKind::Folder:
        return "a folder";
    case FileKind::Fifo:
        return "a FIFO";
    case FileKind::Socket:
        return "a socket";
    case FileKind::CharacterDevice:
        return "a character device";
    case FileKind::BlockDevice:
        return "a block device";
    case FileKind::Other:
        break;
    }
    return "not a regular file";
}

namespace {

std::string ProblemEnglish(const FileFault& f) {
    switch (f.problem) {
    case FileProblem::NotRegular:
        return "is " + FileKindEnglish(f.kind) + ", not a regular file";
    case FileProblem::NotFolder:
        return "is " + FileKindEnglish(f.kind) + ", not a folder";
    case FileProblem::TooLarge:
        return "is larger than the limit of " + CapText(f.cap) + " for this file";
    case FileProblem::CannotRead:
        return "cannot be read: " + f.reason;
    case FileProblem::CannotWrite:
        return "cannot be written: " + f.reason;
    case FileProblem::CannotWriteBecause:
        return "cannot be written (" + f.reason + ")";
    case FileProblem::FolderMissing:
        return "cannot be written: its folder does not exist";
    case FileProblem::EveryNameTaken:
        return "cannot be written: every name like it is taken";
    case FileProblem::LinkTargetNotCreated:
        return "is a symbolic link to " + f.other + ", which cannot be created: " + f.reason;
    case FileProblem::Missing:
        return f.other + " does not exist";
    case FileProblem::FolderCannotBeOpened:
        return "cannot be opened: " + f.reason;
    case FileProblem::ProgramFolderMissing:
        return "the program folder does not exist";
    case FileProblem::ProgramFolderUnreadable:
        return "the program folder cannot be read: " + f.reason;
    case FileProblem::FolderNotWritable:
        return "its folder cannot be written (" + f.reason + ")" +
               (f.other.empty() ? std::string() : ", so " + f.other + " cannot be replaced");
    case FileProblem::FolderNotCreated:
        return "its folder cannot be created";
    case FileProblem::Content:
    case FileProblem::NotWritten:
        break;
    }
    return f.reason;
}

std::string OutcomeEnglish(FileOutcome outcome) {
    switch (outcome) {
    case FileOutcome::NothingWritten:
        return "; nothing was written";
    case FileOutcome::Unchanged:
        return "; the file on disk is unchanged";
    case FileOutcome::LeftAsItIs:
        return "; it is left as it is and nothing was written";
    case FileOutcome::Unsaid:
        break;
    }
    return {};
}

} // namespace

std::string FillMarkers(const std::string& text, const std::array<std::string, 3>& values) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 1 < text.size() && text[i + 1] >= '1' && text[i + 1] <= '3') {
            out += values[static_cast<std::size_t>(text[i + 1] - '1')];
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string CapText(std::int64_t bytes) {
    return bytes >= 1024 * 1024 ? std::to_string(bytes / (1024 * 1024)) + " MiB"
                                : std::to_string(bytes / 1024) + " KiB";
}

std::string FileFaultEnglish(const FileFault& fault) {
    return fault.path + ": " + ProblemEnglish(fault) + OutcomeEnglish(fault.outcome);
}

std::string FileFaultText(const FileFault& fault, const TextTable& strText) {
    std::string second = fault.reason;
    if (fault.problem == FileProblem::NotRegular || fault.problem == FileProblem::NotFolder)
        second = strText(FileKindKey(fault.kind));
    else if (fault.problem == FileProblem::TooLarge)
        second = CapText(fault.cap);
    else if (fault.problem == FileProblem::LinkTargetNotCreated)
        second = fault.other;
    std::string text =
        FillMarkers(strText(FileProblemKey(fault.problem)), {fault.path, second, fault.reason});
    if (const int outcome = FileOutcomeKey(fault.outcome); outcome >= 0)
        text += ' ' + strText(outcome);
    return text;
}

int FileProblemKey(FileProblem problem) {
    switch (problem) {
    case FileProblem::NotRegular:
        return TextKey::FileNotRegular;
    case FileProblem::NotFolder:
        return TextKey::FileNotFolder;
    case FileProblem::TooLarge:
        return TextKey::FileTooLarge;
    case FileProblem::CannotRead:
        return TextKey::FileCannotBeRead;
    case FileProblem::CannotWrite:
    case FileProblem::CannotWriteBecause:
    case FileProblem::NotWritten:
        return TextKey::FileCannotBeWritten;
    case FileProblem::FolderMissing:
        return TextKey::FileFolderMissing;
    case FileProblem::EveryNameTaken:
        return TextKey::FileEveryNameTaken;
    case FileProblem::LinkTargetNotCreated:
        return TextKey::FileLinkTargetNotCreated;
    case FileProblem::Missing:
    case FileProblem::ProgramFolderMissing:
        return TextKey::FileMissing;
    case FileProblem::FolderCannotBeOpened:
    case FileProblem::ProgramFolderUnreadable:
        return TextKey::FolderCannotBeRead;
    case FileProblem::FolderNotWritable:
        return TextKey::FileFolderNotWritable;
    case FileProblem::FolderNotCreated:
        return TextKey::FileFolderNotCreated;
    case FileProblem::Content:
        break;
    }
    return TextKey::FileContentUnusable;
}

int FileKindKey(FileKind kind) {
    return TextKey::FileKindRegular + static_cast<int>(kind);
}

int FileOutcomeKey(FileOutcome outcome) {
    switch (outcome) {
    case FileOutcome::NothingWritten:
        return TextKey::FileNothingWritten;
    case FileOutcome::Unchanged:
        return TextKey::FileUnchanged;
    case FileOutcome::LeftAsItIs:
        return TextKey::FileLeftAsItIs;
    case FileOutcome::Unsaid:
        break;
    }
    return -1;
}

} // namespace airmotor::core

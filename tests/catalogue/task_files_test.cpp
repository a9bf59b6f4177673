// SPDX-License-Identifier: GPL-3.0-or-later
// Loading and saving task files and extra-task files, against real files in
// a temporary folder.
#include "catalogue/catalogue_fixture.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

using namespace KolvErkl;
using KolvTest::CatalogueTest;
using KolvTest::ExtraBytes;
using KolvTest::MakeTask;
using KolvTest::TaskBytes;
using KolvTest::WriteBytes;

void MakeReadOnly(const std::filesystem::path& file) {
    using std::filesystem::perms;
    std::filesystem::permissions(file, perms::owner_read | perms::group_read | perms::others_read);
}

// Root may write any file: the test acts as an ordinary user, who may enter
// `folder` with `mode`, where the machine lets root become one. On Windows
// the read-only attribute holds for every user.
class AsOrdinaryUser {
public:
    AsOrdinaryUser([[maybe_unused]] const std::filesystem::path& folder,
                   [[maybe_unused]] unsigned mode) {
#ifndef _WIN32
        ok_ = ::chmod(folder.c_str(), mode) == 0;
        root_ = ::geteuid() == 0;
        if (root_ && ok_)
            ok_ = ::seteuid(65534) == 0;
#endif
    }
    ~AsOrdinaryUser() {
        End();
    }
    explicit operator bool() const {
        return ok_;
    }
    void End() {
#ifndef _WIN32
        if (root_ && ok_ && ::seteuid(0) != 0)
            std::abort(); // the rest of the tests would run as another user
        root_ = false;
#endif
    }

private:
    bool ok_ = true;
    bool root_ = false;
};

std::string ReadError(int code) {
    return ReadErrorMessage + std::to_string(code);
}

// Everything a failed load may or may not change, to compare before/after.
struct Snapshot {
    int32_t currentTask, span;
    std::vector<TaskRecordBytes> slots;
    std::vector<std::string> extras;
    bool extraMode;
    std::string folder;

    static Snapshot Take() {
        Snapshot s{CurrentTask, OwnTaskSpan, {}, {}, ExtraTaskMode, TaskFolder};
        for (const TaskRecord& r : OwnTasks)
            s.slots.push_back(EncodeTaskRecord(r));
        for (int k = 1; k <= ExtraTaskCount; ++k)
            s.extras.push_back(std::to_string(ExtraTasks[k].VariableCount) + ":" +
                               ExtraTasks[k].Formula);
        return s;
    }
    bool SameTablesAs(const Snapshot& o) const {
        return currentTask == o.currentTask && span == o.span && slots == o.slots &&
               extras == o.extras && extraMode == o.extraMode;
    }
};

TEST_F(CatalogueTest, LoadingATaskFileStoresItInTheSlotOfItsNumber) {
    TaskRecord task = MakeTask(25, 2, "x*y+1");
    task.FileName.Assign("minopgave.kvn");
    WriteBytes(File("minopgave.kvn"), TaskBytes(task));
    KolvTest::ScriptedDialogs dialogs;
    dialogs.answer = File("minopgave.kvn");

    const FileResult result = LoadOwnTask(dialogs);

    EXPECT_FALSE(result.Failed) << result.Message;
    EXPECT_EQ(result.Message, "");
    ASSERT_EQ(dialogs.calls.size(), 1u);
    EXPECT_EQ(dialogs.calls[0].title, " Hent en opgave ");
    EXPECT_EQ(dialogs.calls[0].preset, "*.kvn");
    EXPECT_EQ(CurrentTask, 25);
    EXPECT_EQ(OwnTaskSpan, 5);
    EXPECT_EQ(EncodeTaskRecord(OwnTaskSlot(25)), EncodeTaskRecord(task));
    EXPECT_EQ(EncodeTaskRecord(TransferRecord), EncodeTaskRecord(task));
    EXPECT_EQ(TaskFolder, Folder());
}

TEST_F(CatalogueTest, ATaskInUseIsReplacedWithoutAQuestion) {
    OwnTaskSlot(25) = MakeTask(25, 3, "old");
    WriteBytes(File("Opg25.kvn"), TaskBytes(MakeTask(25, 2, "new")));
    CurrentTask = 3;
    KolvTest::ScriptedDialogs dialogs;
    dialogs.answer = File("Opg25.kvn");
    EXPECT_FALSE(LoadOwnTask(dialogs).Failed);
    EXPECT_EQ(OwnTaskSlot(25).Formula.Text(), "new");
    EXPECT_EQ(CurrentTask, 25);
}

TEST_F(CatalogueTest, OnlyTheFirstRecordOfALongerFileIsUsed) {
    std::vector<uint8_t> bytes = TaskBytes(MakeTask(22, 3, "x+y+z"));
    const std::vector<uint8_t> second = TaskBytes(MakeTask(23, 2, "x-y"));
    bytes.insert(bytes.end(), second.begin(), second.end());
    ASSERT_EQ(bytes.size(), 208u);
    WriteBytes(File("two.kvn"), bytes);
    EXPECT_FALSE(LoadOwnTaskFile(File("two.kvn")).Failed);
    EXPECT_FALSE(OwnTaskSlot(22).IsFree());
    EXPECT_TRUE(OwnTaskSlot(23).IsFree());
    EXPECT_EQ(OwnTaskSpan, 2);
}

TEST_F(CatalogueTest, FilesThatDifferOnlyPastATextsLengthLoadTheSameTask) {
    TaskRecord a = MakeTask(40, 3, "x+y+z+100");
    a.Formula.Assign("x*z");
    TaskRecord b = MakeTask(40, 3, "x*z");
    WriteBytes(File("a.kvn"), TaskBytes(a));
    WriteBytes(File("b.kvn"), TaskBytes(b));
    ASSERT_NE(TaskBytes(a), TaskBytes(b));

    ASSERT_FALSE(LoadOwnTaskFile(File("a.kvn")).Failed);
    const std::string fromA = OwnTaskSlot(40).Formula.Text();
    // The slot holds the record as it stood, leftovers included.
    EXPECT_EQ(EncodeTaskRecord(OwnTaskSlot(40)), EncodeTaskRecord(a));
    ASSERT_FALSE(LoadOwnTaskFile(File("b.kvn")).Failed);
    EXPECT_EQ(OwnTaskSlot(40).Formula.Text(), fromA);
}

TEST_F(CatalogueTest, FailedTaskLoadsSayWhyAndStoreNothing) {
    std::filesystem::create_directory(dir / "folder.kvn");
#ifdef _WIN32
    // A pipe that another program offers: opening it would wait for that
    // program's data.
    const std::string pipe =
        "\\\\.\\pipe\\kolvane-test-" + std::to_string(::GetCurrentProcessId()) + ".kvn";
    const HANDLE server =
        ::CreateNamedPipeA(pipe.c_str(), PIPE_ACCESS_OUTBOUND, PIPE_TYPE_BYTE, 1, 0, 0, 0, nullptr);
    ASSERT_NE(server, INVALID_HANDLE_VALUE);
#else
    ASSERT_EQ(::mkfifo(File("pipe.kvn").c_str(), 0644), 0);
    const std::string pipe = File("pipe.kvn");
#endif
    WriteBytes(File("OPG21.KVN"), TaskBytes(MakeTask(21, 3, "x")));
    WriteBytes(File("Opg21.kvn.bak"), TaskBytes(MakeTask(21, 3, "x")));
    WriteBytes(File("empty.kvn"), {});
    std::vector<uint8_t> short103 = TaskBytes(MakeTask(21, 3, "x"));
    short103.pop_back();
    WriteBytes(File("short.kvn"), short103);
    WriteBytes(File("number71.kvn"), TaskBytes(MakeTask(71, 3, "x")));
    WriteBytes(File("number0.kvn"), TaskBytes(MakeTask(0, 3, "x")));
    WriteBytes(File("fourvars.kvn"), TaskBytes(MakeTask(30, 4, "x")));
    std::vector<uint8_t> longName = TaskBytes(MakeTask(30, 3, "x"));
    longName[73] = 200;
    WriteBytes(File("longname.kvn"), longName);

    struct Row {
        std::string name;
        std::string message;
        bool folderUpdated;
    };
    const std::vector<Row> rows = {
        {"OPG21.KVN", FileMissingMessage, false},
        {"Opg21.kvn.bak", FileMissingMessage, false},
        {"missing.kvn", FileMissingMessage, false},
        {"folder.kvn", FileMissingMessage, false},
        {pipe, FileMissingMessage, false}, // must not wait for a writer
        {"empty.kvn", ReadError(EndOfFileCode), true},
        {"short.kvn", ReadError(EndOfFileCode), true},
        {"number71.kvn", BadTaskNumberReason, true},
        {"number0.kvn", BadTaskNumberReason, true},
        {"fourvars.kvn", BadVariableCountReason, true},
        {"longname.kvn", BadTextLengthReason, true},
    };
    for (const Row& row : rows) {
        TaskFolder = "/before/";
        const Snapshot before = Snapshot::Take();
        KolvTest::ScriptedDialogs dialogs;
        dialogs.answer = row.name == pipe ? pipe : File(row.name);
        const FileResult result = LoadOwnTask(dialogs);
        EXPECT_TRUE(result.Failed) << row.name;
        EXPECT_EQ(result.Message, row.message) << row.name;
        EXPECT_TRUE(Snapshot::Take().SameTablesAs(before)) << row.name;
        EXPECT_EQ(TaskFolder, row.folderUpdated ? Folder() : "/before/") << row.name;
    }
    EXPECT_EQ(ReadError(100), " Filen kunne ikke læses; fejl nr. 100");
#ifdef _WIN32
    ::CloseHandle(server);
#endif
}

TEST_F(CatalogueTest, AFullSpanRefusesEveryTaskFileEvenAnEmptyOne) {
    OwnTaskSlot(21) = MakeTask(21, 3, "x");
    OwnTaskSlot(70) = MakeTask(70, 3, "y");
    RaiseOwnTaskSpan(21);
    RaiseOwnTaskSpan(70);
    ASSERT_EQ(OwnTaskSpan, 50);
    WriteBytes(File("Opg30.kvn"), TaskBytes(MakeTask(30, 3, "x+y")));
    WriteBytes(File("empty.kvn"), {});
    WriteBytes(File("bad.kvn"), TaskBytes(MakeTask(99, 3, "x+y")));

    for (const char* name : {"Opg30.kvn", "empty.kvn", "bad.kvn"}) {
        const Snapshot before = Snapshot::Take();
        const FileResult result = LoadOwnTaskFile(File(name));
        EXPECT_TRUE(result.Failed) << name;
        EXPECT_EQ(result.Message, " Der er ikke plads til flere opgaver  ") << name;
        EXPECT_TRUE(Snapshot::Take().SameTablesAs(before)) << name;
        EXPECT_EQ(TaskFolder, Folder());
    }
    EXPECT_TRUE(OwnTaskSlot(30).IsFree());
}

TEST_F(CatalogueTest, CancelledDialogsChangeNothing) {
    KolvTest::ScriptedDialogs dialogs; // answers "cancelled"
    TransferRecord = MakeTask(25, 3, "x");
    TaskFolder = Folder();
    const Snapshot before = Snapshot::Take();
    for (auto op : {LoadOwnTask, LoadExtraTasks, SaveOwnTask}) {
        const FileResult result = op(dialogs);
        EXPECT_FALSE(result.Failed);
        EXPECT_EQ(result.Message, "");
    }
    EXPECT_TRUE(Snapshot::Take().SameTablesAs(before));
    EXPECT_EQ(TaskFolder, before.folder);
    EXPECT_TRUE(std::filesystem::is_empty(dir));
    EXPECT_EQ(dialogs.calls.size(), 3u);
}

TEST_F(CatalogueTest, ExtraTaskFilesOfTwentyOrMoreRecordsTurnTheModeOn) {
    for (int count : {20, 25}) {
        ExtraTaskMode = false;
        ExtraTasks = {};
        WriteBytes(File("Ekstra.kvn"), ExtraBytes(count, "x+y*"));
        KolvTest::ScriptedDialogs dialogs;
        dialogs.answer = File("Ekstra.kvn");
        const FileResult result = LoadExtraTasks(dialogs);
        EXPECT_FALSE(result.Failed) << count << result.Message;
        EXPECT_EQ(dialogs.calls.at(0).title, " Hent Ekstraopgaver ");
        EXPECT_EQ(dialogs.calls.at(0).preset, "*.kvn");
        EXPECT_TRUE(ExtraTaskMode) << count;
        for (int k = 1; k <= ExtraTaskCount; ++k) {
            EXPECT_EQ(ExtraTasks[k].VariableCount, 3);
            EXPECT_EQ(ExtraTasks[k].Formula, "x+y*" + std::to_string(k));
        }
        EXPECT_EQ(TaskFolder, Folder());
    }
}

TEST_F(CatalogueTest, ExtraTaskFileThatEndsEarlyKeepsWhatWasRead) {
    for (int k = 1; k <= ExtraTaskCount; ++k)
        ExtraTasks[k] = {3, "old"};
    ExtraTaskMode = true;
    WriteBytes(File("ekstra19.kvn"), ExtraBytes(19));

    const FileResult result = LoadExtraTasksFile(File("ekstra19.kvn"));

    EXPECT_TRUE(result.Failed);
    EXPECT_EQ(result.Message, ReadError(100));
    EXPECT_FALSE(ExtraTaskMode);
    EXPECT_EQ(ExtraTasks[19].Formula, "x+19");
    EXPECT_EQ(ExtraTasks[20].Formula, "old");
    EXPECT_EQ(TaskFolder, Folder());
}

TEST_F(CatalogueTest, ExtraTaskRecordWithTooLongAFormulaStopsTheLoad) {
    std::vector<uint8_t> bytes = ExtraBytes(20);
    bytes[6 * ExtraRecordSize] = 61; // record 7
    WriteBytes(File("ekstra.kvn"), bytes);
    ExtraTaskMode = true;

    const FileResult result = LoadExtraTasksFile(File("ekstra.kvn"));

    EXPECT_TRUE(result.Failed);
    EXPECT_EQ(result.Message, BadExtraFormulaReason + " (opgave nr. 7)");
    EXPECT_FALSE(ExtraTaskMode);
    EXPECT_EQ(ExtraTasks[6].Formula, "x+6");
    EXPECT_EQ(ExtraTasks[7].Formula, "");
    EXPECT_EQ(ExtraTasks[7].VariableCount, 0);
}

TEST_F(CatalogueTest, ExtraTaskFileThatCannotBeOpenedLeavesTheModeAsItWas) {
    ExtraTaskMode = true;
    TaskFolder = "/before/";
    WriteBytes(File("EKSTRA.KVN"), ExtraBytes(20));
    for (const char* name : {"missing.kvn", "EKSTRA.KVN"}) {
        const FileResult result = LoadExtraTasksFile(File(name));
        EXPECT_EQ(result.Message, FileMissingMessage) << name;
        EXPECT_TRUE(ExtraTaskMode) << name;
        EXPECT_EQ(TaskFolder, "/before/") << name;
    }
}

TEST_F(CatalogueTest, SavingWritesTheTransferRecordAsTheWholeFile) {
    TransferRecord = MakeTask(25, 2, "x+y");
    TransferRecord.Formula.Assign("x+yyyyyyyyy");
    TransferRecord.Formula.Assign("x"); // leftovers are written as they stand
    TaskFolder = Folder();
    KolvTest::ScriptedDialogs dialogs;
    dialogs.answer = File("minopgave.kvn");

    const FileResult result = SaveOwnTask(dialogs);

    EXPECT_FALSE(result.Failed) << result.Message;
    ASSERT_EQ(dialogs.calls.size(), 1u);
    EXPECT_EQ(dialogs.calls[0].title, " Gem din opgave? ");
    EXPECT_EQ(dialogs.calls[0].folder, Folder());
    EXPECT_EQ(dialogs.calls[0].preset, "Opg25.kvn");
    EXPECT_EQ(dialogs.calls[0].suffix, "kvn");
    EXPECT_EQ(KolvTest::ReadBytes(File("minopgave.kvn")), TaskBytes(TransferRecord));
    // Saved and loaded again, it is the same task.
    ASSERT_FALSE(LoadOwnTaskFile(File("minopgave.kvn")).Failed);
    EXPECT_EQ(EncodeTaskRecord(OwnTaskSlot(25)), EncodeTaskRecord(TransferRecord));
}

// A teacher's folder and file names hold blanks and Danish letters.
TEST_F(CatalogueTest, NamesWithBlanksAndDanishLettersSaveAndLoad) {
    const std::string folder = Folder() + "Mine opgaver";
    std::filesystem::create_directory(NativeFiles::PathOf(folder));
    const std::string name = folder + NativeFiles::Separator + "Brøkøvelse på én linje æøå.kvn";
    TransferRecord = MakeTask(25, 3, "x+y+z");

    ASSERT_FALSE(SaveOwnTaskFile(name).Failed);
    InitTaskCatalogue();
    const FileResult loaded = LoadOwnTaskFile(name);

    EXPECT_FALSE(loaded.Failed) << loaded.Message;
    EXPECT_EQ(OwnTaskSlot(25).Formula.Text(), "x+y+z");
    EXPECT_TRUE(std::filesystem::is_regular_file(
        dir / std::filesystem::path(u8"Mine opgaver/Brøkøvelse på én linje æøå.kvn")));
}

TEST_F(CatalogueTest, SavingReplacesAnExistingFileInOneStep) {
    WriteBytes(File("Opg25.kvn"), std::vector<uint8_t>(500, 'z'));
#ifndef _WIN32
    ASSERT_EQ(::chmod(File("Opg25.kvn").c_str(), 0640), 0);
#endif
    TransferRecord = MakeTask(25, 3, "x+y+z");

    EXPECT_FALSE(SaveOwnTaskFile(File("Opg25.kvn")).Failed);

    EXPECT_EQ(KolvTest::ReadBytes(File("Opg25.kvn")), TaskBytes(TransferRecord));
#ifndef _WIN32
    struct stat st {};
    ASSERT_EQ(::stat(File("Opg25.kvn").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
#endif
    // No temporary file is left beside it.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir),
                            std::filesystem::directory_iterator()),
              1);
}

TEST_F(CatalogueTest, SavingKeepsAnExistingFileThatMayNotBeWritten) {
    WriteBytes(File("Opg25.kvn"), {1, 2, 3});
    MakeReadOnly(dir / "Opg25.kvn");
    TransferRecord = MakeTask(25, 3, "x");

    AsOrdinaryUser user(dir, 0777); // the folder itself is writable
    if (!user)
        GTEST_SKIP() << "cannot act as an ordinary user here";
    const FileResult result = SaveOwnTaskFile(File("Opg25.kvn"));
    user.End();
    EXPECT_TRUE(result.Failed);
    EXPECT_EQ(result.Message, SaveFailedMessage);
    EXPECT_EQ(KolvTest::ReadBytes(File("Opg25.kvn")), (std::vector<uint8_t>{1, 2, 3}));
}

TEST_F(CatalogueTest, ANameAsLongAsTheFileSystemTakesIsSaved) {
#ifdef _WIN32
    const long longest = MAX_PATH - 5; // NTFS and FAT take 255 characters a name
#else
    const long longest = ::pathconf(dir.c_str(), _PC_NAME_MAX);
#endif
    ASSERT_GT(longest, 4);
    const std::string name = std::string(static_cast<std::size_t>(longest) - 4, 'n') + ".kvn";
    TransferRecord = MakeTask(25, 3, "x");
    const FileResult result = SaveOwnTaskFile(File(name));
    EXPECT_FALSE(result.Failed) << result.Message;
    EXPECT_EQ(KolvTest::ReadBytes(File(name)), TaskBytes(TransferRecord));
}

// Loads never write: a task file that the user may not write loads, also
// when the program was started with a file named on its command line.
TEST_F(CatalogueTest, AWriteProtectedTaskFileLoads) {
    WriteBytes(File("Opg25.kvn"), TaskBytes(MakeTask(25, 2, "x+y")));
    MakeReadOnly(dir / "Opg25.kvn");
    ProgramArguments = {File("Opg25.kvn")};
    InitTaskCatalogue();

    AsOrdinaryUser user(dir, 0755);
    if (!user)
        GTEST_SKIP() << "cannot act as an ordinary user here";
    const FileResult atStartUp = LoadStartupFile();
    KolvTest::ScriptedDialogs dialogs;
    dialogs.answer = File("Opg25.kvn");
    const FileResult fromTheMenu = LoadOwnTask(dialogs);
    user.End();
    EXPECT_FALSE(atStartUp.Failed) << atStartUp.Message;
    EXPECT_FALSE(fromTheMenu.Failed) << fromTheMenu.Message;
    EXPECT_EQ(OwnTaskSlot(25).Formula.Text(), "x+y");
}

TEST_F(CatalogueTest, SavingThroughALinkReplacesTheFileItPointsTo) {
#ifdef _WIN32
    GTEST_SKIP() << "links need a privilege on Windows";
#endif
    std::filesystem::create_directory(dir / "real");
    WriteBytes(dir / "real" / "Opg25.kvn", {1, 2, 3});
    std::filesystem::create_symlink(dir / "real" / "Opg25.kvn", dir / "link.kvn");
    TransferRecord = MakeTask(25, 3, "x");
    EXPECT_FALSE(SaveOwnTaskFile(File("link.kvn")).Failed);
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "link.kvn"));
    EXPECT_EQ(KolvTest::ReadBytes(dir / "real" / "Opg25.kvn"), TaskBytes(TransferRecord));
}

TEST_F(CatalogueTest, RefusedSavesLeaveTheDiskAsItWas) {
    TransferRecord = MakeTask(25, 3, "x");
    WriteBytes(File("notes.txt"), {'k', 'e', 'e', 'p'});
    std::filesystem::create_directory(dir / "taken.kvn"); // a folder in place of the file

    struct Row {
        std::string name;
        std::string message;
    };
    const std::vector<Row> rows = {
        {File("notes.txt"), SaveFailedMessage},
        {File("Opg25.KVN"), SaveFailedMessage},
        {File("kvn"), SaveFailedMessage},
        {File("taken.kvn"), SaveFailedMessage},
        // A missing folder is no full disk: the file cannot be created.
        {File("nowhere/deeper/Opg25.kvn"), SaveFailedMessage},
#ifdef _WIN32
        {"Q:\\nowhere\\Opg25.kvn", DiskFullMessage}, // a drive that does not exist
#else
        {"/proc/nonexistent/Opg25.kvn", DiskFullMessage},
#endif
    };
    for (const Row& row : rows) {
        KolvTest::ScriptedDialogs dialogs;
        dialogs.answer = row.name;
        const FileResult result = SaveOwnTask(dialogs);
        EXPECT_TRUE(result.Failed) << row.name;
        EXPECT_EQ(result.Message, row.message) << row.name;
    }
    EXPECT_EQ(KolvTest::ReadBytes(File("notes.txt")), (std::vector<uint8_t>{'k', 'e', 'e', 'p'}));
    EXPECT_TRUE(std::filesystem::is_directory(dir / "taken.kvn"));
    EXPECT_TRUE(std::filesystem::is_empty(dir / "taken.kvn"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir),
                            std::filesystem::directory_iterator()),
              2);
}

TEST_F(CatalogueTest, StartUpFileIsAnExtraTaskFileWhenItsNameHoldsKstra) {
    struct Row {
        std::string name;
        bool extra;
    };
    const std::vector<Row> rows = {
        {"Ekstraopgaver.kvn", true},
        {"ekstra2.kvn", true},
        {"EKSTRA.kvn", false},
    };
    for (const Row& row : rows) {
        InitTaskCatalogue();
        ExtraTaskMode = false;
        if (row.extra)
            WriteBytes(File(row.name), ExtraBytes(20));
        else
            WriteBytes(File(row.name), TaskBytes(MakeTask(33, 2, "x+y")));
        ProgramArguments = {File(row.name)};
        InitTaskCatalogue();
        EXPECT_EQ(TaskFolder, File(row.name).substr(0, 60)); // the name, as far as it fits

        const FileResult result = LoadStartupFile();

        EXPECT_FALSE(result.Failed) << row.name << result.Message;
        EXPECT_EQ(ExtraTaskMode, row.extra) << row.name;
        EXPECT_EQ(OwnTaskSlot(33).IsFree(), row.extra) << row.name;
        EXPECT_EQ(TaskFolder, Folder());
    }
}

TEST_F(CatalogueTest, StartUpFileFailuresAreReported) {
    EXPECT_FALSE(LoadStartupFile().Failed); // no argument: nothing to do

    WriteBytes(File("empty.kvn"), {});
    ProgramArguments = {File("empty.kvn")};
    InitTaskCatalogue();
    EXPECT_EQ(LoadStartupFile().Message, ReadError(100));

    ProgramArguments = {File("missing.kvn")};
    InitTaskCatalogue();
    EXPECT_EQ(LoadStartupFile().Message, FileMissingMessage);
    EXPECT_EQ(TaskFolder, File("missing.kvn"));
}

// No prefix of a file, and no single changed byte, may make a load misbehave:
// it either loads a task within the limits or fails with a message.
TEST_F(CatalogueTest, EveryPrefixAndEveryChangedByteOfATaskFileIsHandled) {
    const std::vector<uint8_t> whole = TaskBytes(MakeTask(44, 3, "x*(y+z)-p"));
    for (std::size_t size = 0; size <= whole.size(); ++size) {
        InitTaskCatalogue();
        WriteBytes(File("t.kvn"), {whole.begin(), whole.begin() + static_cast<long>(size)});
        const FileResult result = LoadOwnTaskFile(File("t.kvn"));
        EXPECT_EQ(result.Failed, size < whole.size()) << size;
        if (result.Failed) {
            EXPECT_EQ(result.Message, ReadError(100)) << size;
        }
    }
    for (std::size_t at = 0; at < whole.size(); ++at) {
        for (uint8_t value : {uint8_t{0}, uint8_t{0x7F}, uint8_t{0xFF}}) {
            InitTaskCatalogue();
            std::vector<uint8_t> changed = whole;
            changed[at] = value;
            WriteBytes(File("t.kvn"), changed);
            const FileResult result = LoadOwnTaskFile(File("t.kvn"));
            if (result.Failed) {
                EXPECT_EQ(result.Message.front(), ' ');
                EXPECT_EQ(OwnTaskSpan, 0);
            } else {
                ASSERT_GE(CurrentTask, FirstOwnTask);
                ASSERT_LE(CurrentTask, LastOwnTask);
                EXPECT_LE(OwnTaskSlot(CurrentTask).Formula.Length, 60);
            }
        }
    }
}

TEST_F(CatalogueTest, EveryPrefixOfAnExtraTaskFileIsHandled) {
    const std::vector<uint8_t> whole = ExtraBytes(20, "x+y+z+");
    for (std::size_t size = 0; size <= whole.size(); ++size) {
        WriteBytes(File("ekstra.kvn"), {whole.begin(), whole.begin() + static_cast<long>(size)});
        const FileResult result = LoadExtraTasksFile(File("ekstra.kvn"));
        EXPECT_EQ(result.Failed, size < whole.size()) << size;
        EXPECT_EQ(ExtraTaskMode, size == whole.size()) << size;
        const std::size_t records = size / ExtraRecordSize;
        if (records > 0) {
            EXPECT_EQ(ExtraTasks[records].Formula, "x+y+z+" + std::to_string(records));
        }
    }
}

} // namespace

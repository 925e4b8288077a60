#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform_override.h"
#include "saver/password_hooks.h"

namespace {

std::vector<std::string> log;
bool nt = false;
bool libraryPresent = true;
bool entryPresent = true;
int verifyAnswer = 0;
void* verifiedWindow = nullptr;
std::string changeCall;

int fakeVerify(void* window) {
    verifiedWindow = window;
    log.push_back("verify");
    return verifyAnswer;
}
uint32_t fakeChange(const char* provider, void* parent, uint32_t a, uint32_t b) {
    changeCall = std::string(provider) + "," + std::to_string(reinterpret_cast<uintptr_t>(parent)) + "," +
                 std::to_string(a) + "," + std::to_string(b);
    return 0;
}

bool fakeIsNt() { return nt; }
void* fakeLoad(const char* name) {
    log.push_back(std::string("load ") + name);
    return libraryPresent ? reinterpret_cast<void*>(0x77) : nullptr;
}
void* fakeSymbol(void*, const char* name) {
    log.push_back(std::string("symbol ") + name);
    if (!entryPresent) return nullptr;
    if (std::string(name) == "VerifyScreenSavePwd") return reinterpret_cast<void*>(&fakeVerify);
    if (std::string(name) == "PwdChangePasswordA") return reinterpret_cast<void*>(&fakeChange);
    return nullptr;
}
int fakeFree(void*) {
    log.push_back("free");
    return 1;
}

class PasswordHooks : public ::testing::Test {
protected:
    void SetUp() override {
        platform.isNtPlatform = fakeIsNt;
        platform.loadLibrary = fakeLoad;
        platform.librarySymbol = fakeSymbol;
        platform.freeLibrary = fakeFree;
        log.clear();
        nt = false;
        libraryPresent = entryPresent = true;
        changeCall.clear();
    }
    ScopedPlatform saved;
};

TEST_F(PasswordHooks, NtNeverAsks) {
    nt = true;
    EXPECT_EQ(verifySaverPassword(nullptr), 1);
    EXPECT_TRUE(log.empty());
}

TEST_F(PasswordHooks, TheSystemAnswerDecidesAndTheLibraryIsLoadedAndFreedEveryTime) {
    verifyAnswer = 0;
    EXPECT_EQ(verifySaverPassword(reinterpret_cast<void*>(0x55)), 0);
    verifyAnswer = 1;
    EXPECT_EQ(verifySaverPassword(reinterpret_cast<void*>(0x55)), 1);
    EXPECT_EQ(verifiedWindow, reinterpret_cast<void*>(0x55));
    const std::vector<std::string> once = {"load PASSWORD.CPL", "symbol VerifyScreenSavePwd", "verify", "free"};
    std::vector<std::string> twice = once;
    twice.insert(twice.end(), once.begin(), once.end());
    EXPECT_EQ(log, twice);
}

TEST_F(PasswordHooks, MissingLibraryOrEntryLetsTheSaverEnd) {
    libraryPresent = false;
    EXPECT_EQ(verifySaverPassword(nullptr), 1);
    libraryPresent = true;
    entryPresent = false;
    log.clear();
    EXPECT_EQ(verifySaverPassword(nullptr), 1);
    EXPECT_EQ(log, (std::vector<std::string>{"load PASSWORD.CPL", "symbol VerifyScreenSavePwd", "free"}));
}

TEST_F(PasswordHooks, ChangeCallsTheSystemDialogWithTheSaverProvider) {
    changeSaverPassword(reinterpret_cast<void*>(1234));
    EXPECT_EQ(changeCall, "SCRSAVE,1234,0,0");
    EXPECT_EQ(log, (std::vector<std::string>{"load MPR.DLL", "symbol PwdChangePasswordA", "free"}));
    changeCall.clear();
    changeSaverPassword(nullptr);
    EXPECT_EQ(changeCall, "SCRSAVE,0,0,0");
    libraryPresent = false;
    log.clear();
    changeSaverPassword(nullptr);
    EXPECT_EQ(log, (std::vector<std::string>{"load MPR.DLL"}));
}

}  // namespace

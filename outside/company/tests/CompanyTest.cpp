// The contact-details command as a program runs it: with the library beside the program, with
// a library named by the environment, with a library that lacks the export, and with none.
#include "outside/company/Company.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/ModalHook.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace
{
// Sets or clears SUITE_COMPANY_LIBRARY for one test and restores it afterwards.
class LibraryVariable
{
public:
    explicit LibraryVariable(const char* value)
    {
        const char* old = std::getenv("SUITE_COMPANY_LIBRARY");
        m_had = old != nullptr;
        if (m_had)
            m_old = old;
        if (value != nullptr)
            setenv("SUITE_COMPANY_LIBRARY", value, 1);
        else
            unsetenv("SUITE_COMPANY_LIBRARY");
    }
    ~LibraryVariable()
    {
        if (m_had)
            setenv("SUITE_COMPANY_LIBRARY", m_old.c_str(), 1);
        else
            unsetenv("SUITE_COMPANY_LIBRARY");
    }

private:
    bool m_had = false;
    std::string m_old;
};
} // namespace

TEST(CompanyTest, LibraryBesideTheProgramShowsTheContactDetails)
{
    LibraryVariable unset(nullptr);
    EXPECT_EQ(std::string(GetCompanyLibraryName().GetString()), COMPANY_MODULE_PATH);
    ModalHook::AnswerMessageBox(IDOK);
    EXPECT_TRUE(DisplayCompanyContactDetails());
    ASSERT_EQ(ModalHook::Shown().size(), 1u);
    EXPECT_EQ(ModalHook::Shown()[0].kind, MODAL_RECORD::MessageBox);
    EXPECT_NE(ModalHook::Shown()[0].text.Find("Velmaro Technology Limited"), -1);
}

TEST(CompanyTest, ConfiguredLibraryIsUsedAndAMissingOneDoesNothing)
{
    {
        LibraryVariable set(COMPANY_MODULE_PATH);
        ModalHook::AnswerMessageBox(IDOK);
        EXPECT_TRUE(DisplayCompanyContactDetails());
        EXPECT_EQ(ModalHook::Shown().size(), 1u);
    }
    // A configured name that does not exist: nothing is shown (an unanswered box would fail).
    const struct
    {
        const char* library;
        const char* why;
    } cases[] = {
        {"/nonexistent/libCompany.so", "no such file"},
        {"libNoSuchCompanyLibrary.so", "not on the loader path"},
        {PLATFORM_LIBRARY_PATH, "a library without the export"},
    };
    for (const auto& c : cases)
    {
        LibraryVariable set(c.library);
        EXPECT_FALSE(DisplayCompanyContactDetails()) << c.why;
    }
    EXPECT_EQ(ModalHook::Shown().size(), 1u);
}

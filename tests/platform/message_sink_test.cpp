#include "platform/message_sink.h"

#include <gtest/gtest.h>

#include <iostream>
#include <sstream>

using kx::MessageIcon;

namespace {

// Sends std::cerr into a string for the lifetime of the object.
class CerrCapture {
public:
    CerrCapture()
        : m_saved(std::cerr.rdbuf(m_buffer.rdbuf()))
    { }
    ~CerrCapture() { std::cerr.rdbuf(m_saved); }
    std::string Text() const { return m_buffer.str(); }

private:
    std::ostringstream m_buffer;
    std::streambuf *m_saved;
};

} // namespace

TEST(MessageSinkTest, RecordingSinkKeepsMessagesInOrder)
{
    kx::RecordingMessageSink sink;
    sink.ShowMessage("saved", MessageIcon::Information);
    sink.ShowMessage("font missing", MessageIcon::Error);
    ASSERT_EQ(sink.Messages().size(), 2u);
    EXPECT_EQ(sink.Messages()[0].text, "saved");
    EXPECT_EQ(sink.Messages()[0].icon, MessageIcon::Information);
    EXPECT_EQ(sink.Messages()[1].text, "font missing");
    EXPECT_EQ(sink.Messages()[1].icon, MessageIcon::Error);

    sink.Clear();
    EXPECT_TRUE(sink.Messages().empty());
}

TEST(MessageSinkTest, StderrSinkPrintsOneLinePerMessageWithItsKind)
{
    std::string printed;
    {
        CerrCapture capture;
        kx::StderrMessageSink sink;
        sink.ShowMessage("a", MessageIcon::Information);
        sink.ShowMessage("b c", MessageIcon::Warning);
        sink.ShowMessage("d", MessageIcon::Error);
        printed = capture.Text();
    }
    EXPECT_EQ(printed, "information: a\nwarning: b c\nerror: d\n");
}

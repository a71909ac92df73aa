// Exchange and the repeat rule against a scripted far end on a pty.

#include <gtest/gtest.h>

#include <atomic>
#include <deque>
#include <thread>

#include "pty_pair.h"
#include "recording_sink.h"
#include "test_frames.h"
#include "transactions.h"

namespace telvor {
namespace {

using namespace std::chrono_literals;
using enum ExchangeResult;

// Answers each request frame with the next scripted reply ("" stays silent) and
// keeps the requests it saw.
class ScriptedDrive {
public:
    explicit ScriptedDrive(std::deque<std::string> replies) : replies_(std::move(replies)) {
        thread_ = std::thread([this] { Serve(); });
    }
    ~ScriptedDrive() {
        stop_ = true;
        thread_.join();
    }
    const std::string& Path() const { return line_.SlavePath(); }
    std::vector<std::string> Requests() {
        std::lock_guard lock(mutex_);
        return requests_;
    }

private:
    void Serve() {
        std::string pending;
        while (!stop_) {
            pending += line_.Receive(20ms);
            for (std::size_t end; (end = pending.find('\n')) != std::string::npos;) {
                {
                    std::lock_guard lock(mutex_);
                    requests_.push_back(pending.substr(0, end + 1));
                }
                pending.erase(0, end + 1);
                std::string reply;
                if (!replies_.empty()) {
                    reply = replies_.front();
                    replies_.pop_front();
                }
                if (!reply.empty()) line_.Send(reply);
            }
        }
    }
    testing::PtyPair line_;
    std::deque<std::string> replies_;
    std::mutex mutex_;
    std::vector<std::string> requests_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

struct RepeatCase {
    const char* name;
    std::deque<std::string> replies;
    ExchangeResult result;
    int exchanges;
};

TEST(RepeatRule, RepeatsTimeOutsAndChecksumErrorsButNeverAnException) {
    const std::string good = ":010302000CEE\r\n";
    const RepeatCase cases[] = {
        {"normal at once", {good}, ReplyNormal, 1},
        {"checksum error, then normal", {":010302000CEF\r\n", good}, ReplyNormal, 2},
        {"silent, silent, normal", {"", "", good}, ReplyNormal, 3},
        {"silent three times", {"", "", ""}, ReplyTimeout, 3},
        {"bad digits three times", {":01030G000CEE\r\n", ":01030G000CEE\r\n", ":01030G000CEE\r\n"}, ReplyChecksumError, 3},
        {"exception is final", {":0183522A\r\n", good}, ReplyException, 1},
        {"stray byte before the frame", {std::string("\0", 1) + good, good}, ReplyNormal, 2},
        {"normal reply without its value", {":010300FC\r\n", good}, ReplyNormal, 2},
        // A byte that failed the parity check comes as "\377\0" and the byte.
        {"parity error on the start character", {std::string("\377\0", 2) + good, good}, ReplyNormal, 2},
        {"parity errors three times", std::deque<std::string>(3, std::string(":0103\377\0", 7) + good.substr(5)),
         ReplyChecksumError, 3},
    };
    for (const auto& c : cases) {
        ScriptedDrive drive(c.replies);
        CModbusAscii port;
        ASSERT_EQ(port.Open(drive.Path(), kLinkQueueSize, kLinkQueueSize), 0);
        const TransactionReply reply = ReadSoftwareVersion(port, 1);
        EXPECT_EQ(reply.result, c.result) << c.name;
        EXPECT_EQ(reply.exchanges, c.exchanges) << c.name;
        EXPECT_EQ(drive.Requests().size(), static_cast<std::size_t>(c.exchanges)) << c.name;
        for (const auto& request : drive.Requests()) EXPECT_EQ(request, ":0103002C0001CF\r\n") << c.name;
        if (c.result == ReplyNormal) {
            EXPECT_EQ(reply.values, std::vector<std::uint16_t>{12}) << c.name;
        }
        if (c.result != ReplyNormal) {
            EXPECT_TRUE(reply.values.empty()) << c.name;
        }
    }
}

TEST(RepeatRule, EchoWhileScanningMakesTwoAttempts) {
    ScriptedDrive drive({"", "", ""});
    CModbusAscii port;
    ASSERT_EQ(port.Open(drive.Path(), kLinkQueueSize, kLinkQueueSize), 0);
    const TransactionReply reply = EchoTest(port, 9, kEchoAttemptsScanning);
    EXPECT_EQ(reply.result, ReplyTimeout);
    EXPECT_EQ(drive.Requests(), (std::vector<std::string>{":09080000A53713\r\n", ":09080000A53713\r\n"}));
}

// The echo of another write (register 0, count 0) confirms nothing.
TEST(Transactions, AWriteReplyOfOtherContentIsNoConfirmation) {
    const std::string other = ":011000000000EF\r\n";
    ScriptedDrive drive({other, other, other});
    CModbusAscii port;
    ASSERT_EQ(port.Open(drive.Path(), kLinkQueueSize, kLinkQueueSize), 0);
    const TransactionReply write = WriteParameter(port, 1, 2, 6000);
    EXPECT_EQ(write.result, ReplyTimeout);
    EXPECT_EQ(drive.Requests(), std::vector<std::string>(3, ":0110000800010217705D\r\n"));
}

struct NotAnAnswerCase {
    const char* name;
    std::string first;  // sent in one piece with the right reply behind it, or alone
};

// A valid frame that cannot answer the request is dropped and the wait goes on: the
// right reply behind it is taken; alone, the attempt is a time-out.
TEST(Exchange, AFrameThatAnswersAnotherRequestIsNeverTaken) {
    const std::string good = ":010302000CEE\r\n";  // version 12 from station 1
    const NotAnAnswerCase cases[] = {
        {"another station", testing::WithLrc(":050302000C")},
        {"another function", testing::WithLrc(":010402000C")},
        {"another function's exception", testing::WithLrc(":019002")},
        {"two registers where one was asked for", testing::WithLrc(":01030400010002")},
        {"a write's reply", testing::WithLrc(":0110000800010217")},
    };
    for (const auto& c : cases) {
        for (const bool rightReplyFollows : {true, false}) {
            ScriptedDrive drive({rightReplyFollows ? c.first + good : c.first, c.first, c.first});
            CModbusAscii port;
            ASSERT_EQ(port.Open(drive.Path(), kLinkQueueSize, kLinkQueueSize), 0);
            const TransactionReply reply = ReadSoftwareVersion(port, 1);
            EXPECT_EQ(reply.result, rightReplyFollows ? ReplyNormal : ReplyTimeout) << c.name;
            EXPECT_EQ(reply.exchanges, rightReplyFollows ? 1 : 3) << c.name;
            if (rightReplyFollows) {
                EXPECT_EQ(reply.values, std::vector<std::uint16_t>{12}) << c.name;
                EXPECT_EQ(reply.reply, good) << c.name;
            }
        }
    }
}

// A drive that answers every request `late` after it came, every other one `jitter`
// later still: reads give the value of the register asked for (3 x register + 7), a
// write of A00 is refused with exception 54, other writes are confirmed.
class LateDrive {
public:
    LateDrive(std::chrono::milliseconds late, std::chrono::milliseconds jitter) : late_(late), jitter_(jitter) {
        thread_ = std::thread([this] { Serve(); });
    }
    ~LateDrive() {
        stop_ = true;
        thread_.join();
    }
    const std::string& Path() const { return line_.SlavePath(); }

private:
    static std::string Answer(const std::string& request) {
        constexpr char kDigits[] = "0123456789ABCDEF";
        const auto hex = [](const std::string& text, std::size_t at, std::size_t digits) {
            return std::stoi(text.substr(at, digits), nullptr, 16);
        };
        const std::string head = request.substr(0, 5);
        if (request.substr(3, 2) == "03") {
            const int value = 3 * hex(request, 5, 4) + 7;
            std::string body = head + "02";
            for (int shift = 12; shift >= 0; shift -= 4) body += kDigits[(value >> shift) & 0xF];
            return testing::WithLrc(body);
        }
        if (request.substr(3, 2) == "10" && hex(request, 5, 4) == RegisterOfParameter(0))
            return testing::WithLrc(request.substr(0, 3) + "9054");
        return testing::WithLrc(request.substr(0, 13));
    }
    void Serve() {
        std::string pending;
        std::deque<std::pair<std::chrono::steady_clock::time_point, std::string>> due;
        int answers = 0;
        while (!stop_) {
            pending += line_.Receive(5ms);
            for (std::size_t end; (end = pending.find('\n')) != std::string::npos; pending.erase(0, end + 1))
                due.emplace_back(std::chrono::steady_clock::now() + late_ + (++answers % 2 ? 0ms : jitter_),
                                 Answer(pending.substr(0, end + 1)));
            while (!due.empty() && due.front().first <= std::chrono::steady_clock::now()) {
                line_.Send(due.front().second);
                due.pop_front();
            }
        }
    }
    testing::PtyPair line_;
    std::chrono::milliseconds late_;
    std::chrono::milliseconds jitter_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

// Every reply comes after the read time-out of its attempt, so each is taken by a
// later attempt: it must be the answer to that same request, never to the next one.
TEST(Exchange, ADriveThatAlwaysAnswersLateGivesEachRequestItsOwnAnswer) {
    for (const auto& [late, jitter] : {std::pair{500ms, 0ms}, std::pair{1000ms, 0ms}, std::pair{500ms, 300ms}}) {
        LateDrive drive(late, jitter);
        CModbusAscii port;
        ASSERT_EQ(port.Open(drive.Path(), kLinkQueueSize, kLinkQueueSize), 0);
        for (const int code : {2, 3, 6}) {
            const TransactionReply reply = ReadParameter(port, 1, code);
            ASSERT_EQ(reply.result, ReplyNormal) << late.count() << "+" << jitter.count() << " ms, code " << code;
            EXPECT_EQ(reply.values, std::vector<std::uint16_t>{static_cast<std::uint16_t>(3 * RegisterOfParameter(code) + 7)})
                << late.count() << "+" << jitter.count() << " ms, code " << code;
        }
        const TransactionReply refused = WriteParameter(port, 1, 0, 9);
        EXPECT_EQ(refused.result, ReplyException) << late.count() << " ms";
        EXPECT_EQ(ExceptionMessage(refused.reply), "Data Over Range !");
        EXPECT_EQ(WriteParameter(port, 1, 2, 6000).result, ReplyNormal) << late.count() << " ms";
    }
}

TEST(Transactions, ARefusedRequestSendsNothingAndIsReportedAsAFailure) {
    ScriptedDrive drive({});
    CModbusAscii port;
    ASSERT_EQ(port.Open(drive.Path(), kLinkQueueSize, kLinkQueueSize), 0);
    const TransactionReply replies[] = {EchoTest(port, 0), WriteParameter(port, 1, 2, 70000),
                                        WriteRegister(port, 255, 230, 1), ReadParameter(port, 1, 50)};
    for (const auto& reply : replies) {
        EXPECT_TRUE(reply.requestRefused);
        EXPECT_FALSE(reply.Ok());
        EXPECT_EQ(reply.exchanges, 0);
    }
    std::this_thread::sleep_for(50ms);
    EXPECT_TRUE(drive.Requests().empty());
    testing::RecordingSink sink;
    CommunicationFailureReport(sink, replies[1]);
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0].caption, "Error Message");
    EXPECT_EQ(sink.messages[0].text, "Data Over Range !");
}

TEST(Exchange, EndsTheReadAtTheFramesLineFeedUnlessSwitchedOff) {
    // The far end sends a second frame 20 ms after the first: within the 50 ms gap.
    for (const bool detection : {true, false}) {
        testing::PtyPair line;
        CModbusAscii port;
        ASSERT_EQ(port.Open(line.SlavePath(), kLinkQueueSize, kLinkQueueSize), 0);
        port.SetFrameEndDetection(detection);
        std::thread far([&] {
            line.Receive();
            line.Send(":010302000CEE\r\n");
            std::this_thread::sleep_for(20ms);
            line.Send(":01\r\n");
        });
        std::array<char, kReplyBufferSize> reply{};
        std::size_t received = 0;
        char request[kRequestBufferSize];
        const std::size_t length = CModbusAscii::ReadSoftwareVersion(request, 1);
        const ExchangeResult result = port.Exchange(request, length, reply.data(), reply.size(), 1, &received);
        far.join();
        EXPECT_EQ(result, detection ? ReplyNormal : ReplyChecksumError);
        EXPECT_EQ(std::string(reply.data(), received), detection ? ":010302000CEE\r\n" : ":010302000CEE\r\n:01\r\n");
    }
}

TEST(Exchange, ThrowsAwayStaleInputBeforeItWrites) {
    testing::PtyPair line;
    CModbusAscii port;
    ASSERT_EQ(port.Open(line.SlavePath(), kLinkQueueSize, kLinkQueueSize), 0);
    line.Send(":0503040001FFFFF5\r\n");  // a late reply to some earlier request
    std::this_thread::sleep_for(20ms);
    std::thread far([&] {
        line.Receive();
        line.Send(":010302000CEE\r\n");
    });
    const TransactionReply reply = ReadSoftwareVersion(port, 1);
    far.join();
    EXPECT_EQ(reply.result, ReplyNormal);
    EXPECT_EQ(reply.values, std::vector<std::uint16_t>{12});
    EXPECT_EQ(reply.replyStation, 1);
}

TEST(Exchange, OnAClosedPortSendsNothingAndEndsAsTimeout) {
    CModbusAscii port;
    RecordingFrameTrace trace;
    port.SetFrameTrace(&trace);
    std::array<char, kReplyBufferSize> reply{};
    char request[kRequestBufferSize];
    const std::size_t length = CModbusAscii::EchoTest(request, 1);
    EXPECT_EQ(port.Exchange(request, length, reply.data(), 17, 3), ReplyTimeout);
    EXPECT_TRUE(trace.Frames().empty());
}

TEST(CommunicationFailureReport, ShowsTheFixedDialogOrTheExceptionText) {
    testing::RecordingSink sink;
    CommunicationFailureReport(sink, ReplyTimeout, "");
    CommunicationFailureReport(sink, ReplyChecksumError, ":01030G");
    CommunicationFailureReport(sink, ReplyNormal, ":010302000CEE\r\n");
    CommunicationFailureReport(sink, ReplyException, ":0183522A\r\n");
    EXPECT_EQ(sink.dialogs, (std::vector<FixedDialog>{FixedDialog::TimeOut, FixedDialog::ChecksumError}));
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0].caption, "Error Message");
    EXPECT_EQ(sink.messages[0].text, "Address Error !");
    EXPECT_EQ(sink.messages[0].icon, MessageIcon::Information);
}

TEST(SoftwareVersionText, ShowsTenthsAsADecimal) {
    EXPECT_EQ(SoftwareVersionText(12), "1.2");
    EXPECT_EQ(SoftwareVersionText(7), "0.7");
    EXPECT_EQ(SoftwareVersionText(100), "10.0");
}

}  // namespace
}  // namespace telvor

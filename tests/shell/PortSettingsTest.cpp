#include "SettingsFileFixture.h"

#include "shell/PortSettings.h"

using namespace skerra;

namespace {

class PortSettingsTest : public SettingsFileFixture {};

PortTabTexts goodTab()
{
    return {"COM3", "4800", "7", "2", "Odd", "Highest", "200", "true", "0", "True", "False"};
}

PortFields previousFields()
{
    PortFields f;
    f.Port = "COM1";
    f.BaudRate = 9600;
    f.DataBits = 4;
    f.StopBits = 1;
    f.Parity = 0;
    f.Priority = 6;
    f.PollInterval = 50;
    f.LogNMEA = false;
    f.LogTimeStamp = true;
    f.EnableDTR = false;
    f.EnableRTS = true;
    f.LogFileName = "old.log";
    return f;
}

TEST_F(PortSettingsTest, EveryRowConvertsOnItsOwn)
{
    // The ports that exist in this test.
    const QStringList devices{"/dev/ttyS2", "/dev/ttyS24", "/dev/ttyUSB0", "/dev/serial/by-id/usb-gnss"};
    const PortSetChecks checks{[&](const QString& p) { return devices.contains(p); }, " ZQB_GNSS_V3.log"};

    struct Case {
        const char* what;
        std::function<void(PortTabTexts&)> edit;
        std::function<void(PortFields&)> expect;  // changes from the good tab's result
        bool fails;
    };
    const Case cases[] = {
        {"good tab", [](PortTabTexts&) {}, [](PortFields&) {}, false},
        {"lower-case com", [](PortTabTexts& t) { t.port = "com3"; }, [](PortFields& f) { f.Port = "com3"; }, false},
        {"COM25 is not clamped", [](PortTabTexts& t) { t.port = "COM25"; }, [](PortFields& f) { f.Port = "COM25"; }, false},
        {"missing port", [](PortTabTexts& t) { t.port = "COM7"; }, [](PortFields& f) { f.Port = "COM1"; }, true},
        {"empty port: none chosen", [](PortTabTexts& t) { t.port = " "; }, [](PortFields& f) { f.Port = ""; }, true},
        {"device name", [](PortTabTexts& t) { t.port = "ttyUSB0"; }, [](PortFields& f) { f.Port = "ttyUSB0"; }, false},
        {"by-id path", [](PortTabTexts& t) { t.port = "/dev/serial/by-id/usb-gnss"; },
         [](PortFields& f) { f.Port = "/dev/serial/by-id/usb-gnss"; }, false},
        {"56000 is no rate of the port", [](PortTabTexts& t) { t.baudRate = "56000"; },
         [](PortFields& f) { f.BaudRate = 9600; }, true},
        {"typed 230400", [](PortTabTexts& t) { t.baudRate = "230400"; }, [](PortFields& f) { f.BaudRate = 230400; }, false},
        {"empty baud", [](PortTabTexts& t) { t.baudRate = ""; }, [](PortFields& f) { f.BaudRate = 9600; }, true},
        {"typed 9 data bits", [](PortTabTexts& t) { t.dataWidth = "9"; }, [](PortFields& f) { f.DataBits = 4; }, true},
        {"8 data bits, 1.5 stop", [](PortTabTexts& t) { t.dataWidth = "8", t.stopBits = "1.5"; },
         [](PortFields& f) { f.DataBits = 4, f.StopBits = 2; }, false},
        {"parity by name", [](PortTabTexts& t) { t.parity = "Space"; }, [](PortFields& f) { f.Parity = 4; }, false},
        {"parity in lower case", [](PortTabTexts& t) { t.parity = "even"; }, [](PortFields& f) { f.Parity = 0; }, true},
        {"priority unknown", [](PortTabTexts& t) { t.priority = "Fast"; }, [](PortFields& f) { f.Priority = 6; }, true},
        {"delay bounded", [](PortTabTexts& t) { t.delay = "5"; }, [](PortFields& f) { f.PollInterval = MinPollInterval; }, false},
        {"long delay bounded", [](PortTabTexts& t) { t.delay = "100000"; },
         [](PortFields& f) { f.PollInterval = MaxPollInterval; }, false},
        {"delay not a number", [](PortTabTexts& t) { t.delay = "1.5"; }, [](PortFields& f) { f.PollInterval = 50; }, true},
        {"NMEA log yes", [](PortTabTexts& t) { t.nmeaLog = "yes"; }, [](PortFields& f) { f.LogNMEA = false; }, true},
        {"log time 2.5", [](PortTabTexts& t) { t.logTime = "2.5"; }, [](PortFields& f) { f.LogTimeStamp = true; }, false},
        {"DTR True", [](PortTabTexts& t) { t.enableDTR = "True"; }, [](PortFields& f) { f.EnableDTR = true; }, false},
        {"DTR true is no item", [](PortTabTexts& t) { t.enableDTR = "true"; }, [](PortFields& f) { f.EnableDTR = false; }, true},
        {"DTR False", [](PortTabTexts& t) { t.enableDTR = "False"; }, [](PortFields& f) { f.EnableDTR = false; }, false},
        {"RTS True", [](PortTabTexts& t) { t.enableRTS = "True"; }, [](PortFields& f) { f.EnableRTS = true; }, false},
    };
    PortFields good = previousFields();
    good.Port = "COM3", good.BaudRate = 4800, good.DataBits = 3, good.StopBits = 3, good.Parity = 1;
    good.Priority = 2, good.PollInterval = 200, good.LogNMEA = true, good.LogTimeStamp = false;
    good.EnableDTR = true, good.EnableRTS = false;
    good.LogFileName = LogFolder + "2025-06-01 ZQB_GNSS_V3.log";

    for (const Case& c : cases) {
        PortTabTexts texts = goodTab();
        c.edit(texts);
        const PortSetResult r = convertPortTab(texts, previousFields(), checks);
        PortFields expected = good;
        c.expect(expected);
        EXPECT_EQ(r.fields.Port, expected.Port) << c.what;
        EXPECT_EQ(r.fields.BaudRate, expected.BaudRate) << c.what;
        EXPECT_EQ(r.fields.DataBits, expected.DataBits) << c.what;
        EXPECT_EQ(r.fields.StopBits, expected.StopBits) << c.what;
        EXPECT_EQ(r.fields.Parity, expected.Parity) << c.what;
        EXPECT_EQ(r.fields.Priority, expected.Priority) << c.what;
        EXPECT_EQ(r.fields.PollInterval, expected.PollInterval) << c.what;
        EXPECT_EQ(r.fields.LogNMEA, expected.LogNMEA) << c.what;
        EXPECT_EQ(r.fields.LogTimeStamp, expected.LogTimeStamp) << c.what;
        EXPECT_EQ(r.fields.EnableDTR, expected.EnableDTR) << c.what;
        EXPECT_EQ(r.fields.EnableRTS, expected.EnableRTS) << c.what;
        EXPECT_EQ(r.fields.LogFileName, expected.LogFileName) << c.what;
        EXPECT_EQ(r.failures.size(), c.fails ? 1 : 0) << c.what << " " << r.failures.join("|").toStdString();
    }
}

TEST_F(PortSettingsTest, FailuresNameTheRowAndTheText)
{
    PortTabTexts texts = goodTab();
    texts.baudRate = "56000";
    texts.dataWidth = "9";
    texts.port = "";
    const PortSetResult r = convertPortTab(texts, previousFields(), {[](const QString&) { return true; }, ""});
    EXPECT_EQ(r.failures, QStringList({"Port No: no port chosen",
                                       "Baud Rate: 56000 is not a rate the port can use - the previous value is kept",
                                       "Data Width: '9' is not one of: 5, 6, 7, 8 - the previous value is kept"}));
    // In short, for a start's summary: the row, and the text it refused when there was one.
    EXPECT_EQ(r.unsetRows, QStringList({"Port No", "Baud Rate '56000'", "Data Width '9'"}));
}

}  // namespace

#include "devices/simulator/SimulatorOptions.h"

#include "platform/NumberText.h"

#include <functional>
#include <map>

namespace skerra::sim {
namespace {

// A number within [low, high]; an error text otherwise.
std::string readNumber(const std::string& option, const std::string& text, double low, double high,
                       double& out)
{
    const auto value = tryParseDouble(text);
    if (!value || *value < low || *value > high)
        return option + " needs a number from " + FormatGeneral(low) + " to " + FormatGeneral(high)
               + ", not '" + text + "'";
    out = *value;
    return {};
}

}  // namespace

ParsedOptions ParseSimulatorOptions(const std::vector<std::string>& arguments)
{
    ParsedOptions parsed;
    SimulatorOptions& o = parsed.Options;
    using Handler = std::function<std::string(const std::string& option, const std::string& value)>;
    const std::map<std::string, Handler> withValue = {
        {"--rate", [&](auto& n, auto& v) { return readNumber(n, v, 1, 20, o.Rate); }},
        {"--duration", [&](auto& n, auto& v) { return readNumber(n, v, 0, 1e7, o.Duration); }},
        {"--speed-up", [&](auto& n, auto& v) { return readNumber(n, v, 0.1, 100, o.SpeedUp); }},
        {"--seed",
         [&](auto& n, auto& v) {
             const auto seed = tryParseInt64(v);
             if (!seed || *seed < 0 || *seed > 0xFFFFFFFFLL) return n + " needs a whole number, not '" + v + "'";
             o.Seed = static_cast<std::uint32_t>(*seed);
             return std::string();
         }},
        {"--sounder",
         [&](auto& n, auto& v) {
             const auto type = SounderTypeFromOptionName(v);
             if (!type) return n + ": unknown sounder type '" + v + "'";
             o.Sounder = *type;
             return std::string();
         }},
        {"--gnss-link", [&](auto&, auto& v) { o.GnssLink = v; return std::string(); }},
        {"--sounder-link", [&](auto&, auto& v) { o.SounderLink = v; return std::string(); }},
    };

    for (std::size_t i = 0; i < arguments.size() && parsed.Error.empty(); ++i) {
        std::string name = arguments[i];
        std::string value;
        bool hasValue = false;
        if (const auto eq = name.find('='); name.rfind("--", 0) == 0 && eq != std::string::npos) {
            value = name.substr(eq + 1);
            name = name.substr(0, eq);
            hasValue = true;
        }
        if (name == "--help" || name == "-h") {
            o.Help = true;
        } else if (name == "--no-hdt" && !hasValue) {
            o.Heading = false;
        } else if (const auto h = withValue.find(name); h != withValue.end()) {
            if (!hasValue) {
                if (i + 1 >= arguments.size()) {
                    parsed.Error = name + " needs a value";
                    break;
                }
                value = arguments[++i];
            }
            parsed.Error = h->second(name, value);
        } else {
            parsed.Error = "unknown option '" + arguments[i] + "'";
        }
    }
    return parsed;
}

std::string SimulatorUsage()
{
    return "Usage: skerra-simulator [options]\n"
           "Plays a survey in Izmir Bay on two pseudo-terminals: a GNSS receiver\n"
           "(GGA, RMC, VTG, HDT) and an echo sounder. Their paths are printed at start.\n"
           "\n"
           "  --rate HZ             epochs per second, 1 to 20 (default 10)\n"
           "  --duration SECONDS    stop after this long; 0 runs until stopped (default 0)\n"
           "  --speed-up FACTOR     survey time runs this much faster, 0.1 to 100 (default 1)\n"
           "  --sounder TYPE        dpt, dbt, smt, xdr-hi, xdr-lo, xdr-hl or odc (default dpt)\n"
           "  --no-hdt              send no heading (HDT) sentences\n"
           "  --seed N              another run of fix changes and noise (default 1)\n"
           "  --gnss-link PATH      also make PATH a symbolic link to the GNSS terminal\n"
           "  --sounder-link PATH   the same for the sounder terminal\n"
           "  --help                this text\n";
}

}  // namespace skerra::sim

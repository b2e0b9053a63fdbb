#pragma once
// What a benchmark of a running terminal stands on, made once per process.

#include <filesystem>
#include <memory>
#include <utility>

#include "host/TerminalHost.h"
#include "host/UserFiles.h"
#include "host/market/Catalogue.h"
#include "host/market/QuoteBook.h"
#include "host/theme/ThemeSwitch.h"
#include "plugin/Application.h"

namespace bench_support {

/// The terminal's market, host and board factory wired as the terminal wires
/// them, keeping the user's files in `folder`.
struct TerminalStack
{
    TerminalStack(Catalogue market, const std::filesystem::path& folder, bool allowTrading = false)
        : catalogue(std::move(market)),
          quotes(catalogue),
          files(folder.string(), "", ""),
          host(catalogue, quotes, themes, files, allowTrading, nullptr),
          application(&host)
    {
    }

    Catalogue catalogue;
    QuoteBook quotes;
    ThemeSwitch themes;
    UserFiles files;
    TerminalHost host;
    Application application;
};

/// One `T` per process, made at first use. Close ends it while the toolkit
/// is still up: its theme holds fonts.
template <class T>
class PerProcess
{
public:
    template <class... Args>
    static T& Get(Args&&... args)
    {
        if (!Slot())
            Slot() = std::make_unique<T>(std::forward<Args>(args)...);
        return *Slot();
    }
    static void Close() { Slot().reset(); }

private:
    static std::unique_ptr<T>& Slot()
    {
        static std::unique_ptr<T> object;
        return object;
    }
};

}  // namespace bench_support

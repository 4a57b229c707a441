#include "driver/dialogue_run.h"

#include <unistd.h>
#include <string>

#include "deck/deck_reader.h"
#include "driver/dialogue.h"
#include "driver/run_files.h"
#include "engine/units.h"
#include "events/listeners.h"
#include "records/fatal.h"
#include "records/files.h"
#include "reports/bar_table_file.h"
#include "reports/quantities_file.h"

namespace barlist::driver {
namespace {

using engine::kBarTableUnit;
using engine::kDeckUnit;
using engine::kQuantitiesUnit;

using records::FatalError;
using records::Layout;
using records::OpenMode;

constexpr Layout kInputPrompt{"(' ENTER INPUT FILE NAME            : (PLEASE ENTER) ',$)"};
constexpr Layout kQuantitiesPrompt{"(' ENTER OUTPUT FILE NAME FOR QUANTITIES: ',$)"};
constexpr Layout kBarTablePrompt{"(' ENTER OUTPUT FILE NAME FOR BAR TABLES: ',$)"};

std::string_view name_of(const std::array<char, 36>& reply) { return {reply.data(), reply.size()}; }

// Opens an output file: a new one, or an existing one once the user agrees.
// An output may never be the input deck or the other output. Nothing when the
// user declines.
void open_output(std::optional<records::OutputChannel>& channel, Console& console, int unit, std::string_view name,
                 records::LineDiscipline discipline, std::initializer_list<int> open_files) {
  for (const int fd : open_files) {
    if (records::same_file(std::string(records::trim_blanks(name)), fd)) {
      throw FatalError(records::kOpenFailure, unit, records::absolute_path(name));
    }
  }
  records::OutputOptions options{.discipline = discipline};
  records::FileDescriptor fd;
  if (records::file_exists(name)) {
    if (!confirm_overwrite(console)) {
      say_exiting(console);
      return;
    }
    fd = records::open_file(unit, name, OpenMode::ExistingForWriting);
    options.cut_at_first_record = true;
  } else {
    fd = records::open_file(unit, name, OpenMode::New);
  }
  channel.emplace(unit, records::absolute_path(name), std::move(fd), options);
}

void dialogue_and_deck(Console& console, RunFiles& files, const reports::Clock& clock) {
  const auto input_name = ask_name(console, kInputPrompt);
  if (!input_name) return;
  // The deck is opened before any output is named, so a wrong input name
  // leaves no output file behind.
  records::FileDescriptor deck_fd = records::open_file(kDeckUnit, name_of(*input_name), OpenMode::Existing);
  const int deck = deck_fd.get();
  files.deck.emplace(kDeckUnit, records::absolute_path(name_of(*input_name)), std::move(deck_fd));

  const auto quantities_name = ask_name(console, kQuantitiesPrompt);
  if (!quantities_name) return;
  open_output(files.quantities, console, kQuantitiesUnit, name_of(*quantities_name), records::LineDiscipline::Asa,
              {deck});
  if (!files.quantities) return;

  const auto bar_table_name = ask_name(console, kBarTablePrompt);
  if (!bar_table_name) return;
  open_output(files.bar_table, console, kBarTableUnit, name_of(*bar_table_name), records::LineDiscipline::Plain,
              {deck, files.quantities->fd()});
  if (!files.bar_table) return;

  reports::QuantitiesFile quantities(*files.quantities, clock);
  reports::BarTableFile bar_table(*files.bar_table);
  CapacityMessages capacity(console.output());
  events::Listeners listeners;
  listeners.add(quantities);
  listeners.add(bar_table);
  listeners.add(capacity);
  deck::run_deck(*files.deck, listeners);
}

void report(const Terminal& terminal, const std::string& message) {
  const std::string line = "barlist: " + message + "\n";
  [[maybe_unused]] const ssize_t written = ::write(terminal.standard_error, line.data(), line.size());
}

}  // namespace

int run_dialogue(const Terminal& terminal, const reports::Clock& clock) {
  RunFiles files;
  try {
    Console console(terminal);
    dialogue_and_deck(console, files, clock);
    files.close();
    return 0;
  } catch (const FatalError& error) {
    files.close_quietly();
    report(terminal, error.what());
  } catch (const std::exception& error) {
    // A fault of the program itself still ends as one report, with what was
    // written kept.
    files.close_quietly();
    report(terminal, std::string("internal error: ") + error.what());
  } catch (...) {
    files.close_quietly();
    report(terminal, "internal error");
  }
  return 1;
}

}  // namespace barlist::driver

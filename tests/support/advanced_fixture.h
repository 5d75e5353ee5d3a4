// A program with the advanced settings window over its main window, for the behaviour tests of
// that window and its entry dialog: in-memory ports, the scripted event loop and the scripted
// desktop, which also shows the message boxes.
#pragma once

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "advanced/advanced_session.h"
#include "advanced/advanced_window_handlers.h"
#include "support/scripted_desktop.h"
#include "support/test_program.h"

namespace netquill {

class AdvancedFixture : public ::testing::Test {
  protected:
    // Shows the window over the editing state as it is now and fills it, without a modal loop:
    // the test acts on the window directly. OpenAdvancedWindow's own tests cover the modal loop.
    void Open() {
        BindAdvancedWindowEvents(session);
        desktop.ShowModeless(window);
        FillAdvancedWindow(session);
    }

    // The open entry dialog; a test that expects one and finds none ends here.
    EntryDialog& Dialog() {
        if (!session.entryDialog) {
            throw std::logic_error("no entry dialog is open");
        }
        return *session.entryDialog;
    }

    // The user fills in the four parts of an address field; an empty part stays empty.
    static void TypeAddress(IpAddressField& field, std::string_view dotted) {
        for (std::size_t part = 0; part < IpAddressField::kPartCount; ++part) {
            const std::size_t dot = dotted.find('.');
            const std::string_view piece = dotted.substr(0, dot);
            field.SetPartByUser(part, piece.empty()
                                          ? IpAddressField::Part{}
                                          : IpAddressField::Part(std::stoi(std::string(piece))));
            dotted = dot == std::string_view::npos ? std::string_view() : dotted.substr(dot + 1);
        }
    }

    static std::vector<std::vector<std::string>> RowsOf(const ListView& list) {
        std::vector<std::vector<std::string>> rows;
        for (int row = 0; row < list.RowCount(); ++row) {
            rows.push_back({std::string(list.Cell(row, 0)), std::string(list.Cell(row, 1))});
        }
        return rows;
    }

    // The program's parts; its messages go to the desktop, where they take the activation.
    TestProgram parts;
    SharedState& state = parts.state;
    MainWindow& mainWindow = parts.window;
    ScriptedEventLoop& loop = parts.loop;
    ScriptedDesktop desktop{parts.loop};
    Program program{parts.state,       parts.window, parts.registry,
                    parts.adapterInfo, parts.loop,   parts.processes,
                    parts.files,       parts.clock,  desktop};
    AdvancedWindow window;
    AdvancedSession session{.program = program, .host = desktop, .window = window};
};

using Rows = std::vector<std::vector<std::string>>;
using Items = std::vector<std::string>;

}  // namespace netquill

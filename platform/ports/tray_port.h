#pragma once
// The program's one notification-area icon, the popup menu it opens, and the messages the
// shell broadcasts by name (TaskbarCreated when the notification area comes back).
#include <string>
#include <vector>

#include "platform/ports/outcome.h"
#include "platform/ports/types.h"

namespace quill::platform {

struct MenuChoice {
    int item = -1;                  // the index of the chosen item; -1 when none was chosen
    Outcome shown = Outcome::Done;  // Failed: the menu could not be made or shown
};

class TrayPort {
public:
    virtual ~TrayPort() = default;

    // The icon (the application icon) with its tip. The shell's notifications reach the owner
    // as mouse moves with the left button held (the icon id 1 decodes as that button) and the
    // shell's mouse message as x. Failed when the shell refused it, as it refuses a second add
    // and as there is no shell before the taskbar has started.
    [[nodiscard]] virtual Outcome addTrayIcon(WindowHandle owner, const std::string& tip) = 0;
    // The owner's icon given to the shell again (its image at the current scale and its tip),
    // for a shell that may still hold it; Failed when the shell holds no icon of the owner.
    [[nodiscard]] virtual Outcome modifyTrayIcon(WindowHandle owner, const std::string& tip) = 0;
    // Done once no icon of the owner is shown, also when there was none.
    [[nodiscard]] virtual Outcome removeTrayIcon(WindowHandle owner) = 0;
    // A short notice in a balloon from the owner's icon, with a title; Failed when the owner
    // has no icon shown or the shell refused it.
    [[nodiscard]] virtual Outcome showBalloon(WindowHandle owner, const std::string& title, const std::string& text) = 0;
    // A popup menu of the items at the cursor; runs until it closes.
    virtual MenuChoice trackPopupMenu(WindowHandle owner, const std::vector<std::string>& items) = 0;
    // The id under which a message registered by name reaches the windows
    // (WindowClient::onNamedMessage); 0 when the system refused the name.
    virtual MessageId registerMessage(const std::string& name) = 0;
};

}  // namespace quill::platform

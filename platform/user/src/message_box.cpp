// Message boxes, beeps and help: each goes to the face and into the
// transcript.
#include "window.h"
#include "win/system_texts.h"
#include "win/transcript.h"

namespace tq::ui {
namespace {

const char* IconName(BoxIcon icon) {
  switch (icon) {
    case BoxIcon::Error: return "error";
    case BoxIcon::Warning: return "warning";
    case BoxIcon::Question: return "question";
    case BoxIcon::Information: return "information";
    default: return "none";
  }
}

const char* ButtonsName(BoxButtons buttons) {
  switch (buttons) {
    case BoxButtons::OkCancel: return "okcancel";
    case BoxButtons::YesNo: return "yesno";
    case BoxButtons::YesNoCancel: return "yesnocancel";
    default: return "ok";
  }
}

const char* AnswerName(int answer) {
  switch (answer) {
    case IDOK: return "ok";
    case IDCANCEL: return "cancel";
    case IDYES: return "yes";
    case IDNO: return "no";
    default: return "none";
  }
}

MessageBoxCall DescribeBox(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) {
  MessageBoxCall call;
  call.owner = owner;
  call.text = FromWide(text);
  // Win32 puts "Error", in the interface language, on a box given no caption.
  call.caption = caption != nullptr ? FromWide(caption) : CurrentSystemTexts().errorCaption;
  call.type = type;
  switch (type & MB_ICONMASK) {
    case MB_ICONHAND: call.icon = BoxIcon::Error; break;
    case MB_ICONQUESTION: call.icon = BoxIcon::Question; break;
    case MB_ICONEXCLAMATION: call.icon = BoxIcon::Warning; break;
    case MB_ICONASTERISK: call.icon = BoxIcon::Information; break;
    default: call.icon = BoxIcon::None;
  }
  int answers[3] = {IDOK, IDOK, IDOK};
  switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL:
    case MB_RETRYCANCEL:
      call.buttons = BoxButtons::OkCancel;
      answers[1] = answers[2] = IDCANCEL;
      break;
    case MB_YESNO:
      call.buttons = BoxButtons::YesNo;
      answers[0] = IDYES;
      answers[1] = answers[2] = IDNO;
      break;
    case MB_YESNOCANCEL:
    case MB_ABORTRETRYIGNORE:
      call.buttons = BoxButtons::YesNoCancel;
      answers[0] = IDYES;
      answers[1] = IDNO;
      answers[2] = IDCANCEL;
      break;
    default: call.buttons = BoxButtons::Ok;
  }
  const UINT defaultButton = (type & MB_DEFMASK) >> 8;
  call.defaultAnswer = answers[defaultButton < 3 ? defaultButton : 0];
  return call;
}

bool Allowed(BoxButtons buttons, int answer) {
  switch (buttons) {
    case BoxButtons::Ok: return answer == IDOK;
    case BoxButtons::OkCancel: return answer == IDOK || answer == IDCANCEL;
    case BoxButtons::YesNo: return answer == IDYES || answer == IDNO;
    case BoxButtons::YesNoCancel: return answer == IDYES || answer == IDNO || answer == IDCANCEL;
  }
  return false;
}

}  // namespace
}  // namespace tq::ui

using namespace tq::ui;

extern "C" int MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) {
  return OnOwnerThread([&]() -> int {
    MessageBoxCall call = DescribeBox(owner, text, caption, type);
    Face& face = CurrentFace();
    face.ModalStarting("box", 0, owner);
    // The owner's window is disabled while the box is up, as for a dialog,
    // and gets its focus back when the box is answered.
    const HWND disabled = DisableOwner(owner);
    int answer = face.MessageBox(call);
    if (!Allowed(call.buttons, answer)) answer = call.defaultAnswer;
    WriteTranscript(std::string("box ") + IconName(call.icon) + " " + ButtonsName(call.buttons) + " " +
                    QuoteText(call.caption) + " " + QuoteText(call.text) + " -> " + AnswerName(answer));
    RestoreOwner(disabled);
    return answer;
  });
}

extern "C" BOOL MessageBeep(UINT type) {
  WriteTranscript("beep");
  CurrentFace().Beep(type);
  return TRUE;
}

namespace {

// The help context a WM_HELP or context-menu request names: the pair whose
// control identifier is the asking control's, in a (control, context)
// array of 32-bit pairs ended by (0, 0).
DWORD ContextOfControl(HWND control, ULONG_PTR data) {
  const auto* pairs = reinterpret_cast<const DWORD*>(data);
  if (pairs == nullptr) return 0;
  const int id = GetDlgCtrlID(control);
  for (; pairs[0] != 0 || pairs[1] != 0; pairs += 2) {
    if (static_cast<int>(pairs[0]) == id) return pairs[1];
  }
  return 0;
}

}  // namespace

extern "C" BOOL WinHelpW(HWND window, LPCWSTR helpFile, UINT command, ULONG_PTR data) {
  const std::u16string file = FromWide(helpFile);
  // The transcript names the help file without its folder, so transcripts do
  // not depend on where the program is installed.
  const std::size_t folderEnd = file.find_last_of(u"/\\");
  const std::u16string fileName = folderEnd == std::u16string::npos ? file : file.substr(folderEnd + 1);
  std::string line = "help " + QuoteText(fileName) + " ";
  switch (command) {
    case HELP_CONTEXT: line += "context " + std::to_string(data); break;
    case HELP_CONTEXTPOPUP: line += "popup " + std::to_string(data); break;
    case HELP_WM_HELP: line += "wm_help " + std::to_string(ContextOfControl(window, data)); break;
    case HELP_CONTEXTMENU: line += "contextmenu " + std::to_string(ContextOfControl(window, data)); break;
    case HELP_QUIT: line += "quit"; break;
    case HELP_CONTENTS: line += "contents"; break;
    case HELP_FINDER: line += "finder"; break;
    default: line += "command " + std::to_string(command); break;
  }
  WriteTranscript(line);
  CurrentFace().Help(window, file, command, data);
  return TRUE;
}

extern "C" int LoadStringW(HINSTANCE instance, UINT id, LPWSTR buffer, int size) {
  const tq::res::StringResource* string = tq::res::FindString(instance, id);
  if (buffer == nullptr) return 0;
  if (string == nullptr) {
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    if (size > 0) buffer[0] = 0;
    return 0;
  }
  const int length = static_cast<int>(std::char_traits<char16_t>::length(string->text));
  if (size == 0) {
    // Size 0: a read-only pointer to the text itself, which has no terminator
    // in Win32; ours has one, which callers must not rely on.
    *reinterpret_cast<LPCWSTR*>(buffer) = string->text;
    return length;
  }
  return CopyOut(std::u16string(string->text, length), buffer, size);
}

extern "C" HBITMAP LoadBitmapW(HINSTANCE instance, LPCWSTR name) {
  const tq::res::BitmapResource* bitmap = tq::res::FindBitmap(instance, name);
  if (bitmap == nullptr) {
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return nullptr;
  }
  return reinterpret_cast<HBITMAP>(const_cast<tq::res::BitmapResource*>(bitmap));
}

extern "C" BOOL DeleteBitmap(HBITMAP bitmap) { return bitmap != nullptr ? TRUE : FALSE; }

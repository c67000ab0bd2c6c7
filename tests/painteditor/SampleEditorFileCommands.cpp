// The editor's EditorFileCommands.cpp, compiled into the test executable: the tests drive a real
// CEditorFrame in this process (everything of the program but its application object and
// its scripted session). One file each, as the program compiles them.
#include "samples/painteditor/EditorFileCommands.cpp"

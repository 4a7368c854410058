// First on the include path of every core library and core test (vireo_core in CMakeLists.txt).
// Every Qt Gui, Widgets and Charts header includes this file by this name, so a core that
// reaches one, even as <QtWidgets/QWidget>, stops here instead of quietly depending on windows.
#error "A core library includes a Qt Gui or Widgets header: the file belongs in its folder's ui/."

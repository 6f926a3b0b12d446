# Libraries of many Qt-heavy files parse the same Qt headers once, in a precompiled header of their
# own; nothing of the project itself goes in, so a header's floor is still the only way to reach it.
set(PELMO_PCH_CORE <algorithm> <atomic> <cstdint> <memory> <mutex> <vector> <QByteArray> <QObject> <QString>)
set(PELMO_PCH_GUI <algorithm> <cmath> <cstdint> <functional> <memory> <vector>
    <QColor> <QImage> <QPainter> <QRect> <QString>)
set(PELMO_PCH_WIDGETS ${PELMO_PCH_GUI} <QAction> <QApplication> <QDialog> <QLabel> <QPushButton> <QScreen> <QWidget>)

# pelmo_precompile(target CORE|GUI|WIDGETS)
function(pelmo_precompile target kind)
  if(PELMO_PRECOMPILE)
    target_precompile_headers(${target} PRIVATE ${PELMO_PCH_${kind}})
  endif()
endfunction()

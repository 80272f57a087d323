<?xml version='1.0' encoding='utf-8'?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>SettingsPanel</name>
    <message>
        <location filename="../settings_panel.ui" line="9" />
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="533" />
        <source>Tiles</source>
        <translation>Тайлы</translation>
    </message>
    <message>
        <location filename="../settings_panel.ui" line="15" />
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="534" />
        <source>Tile size</source>
        <translation>Размер тайла</translation>
    </message>
    <message>
        <location filename="../settings_panel.ui" line="63" />
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="535" />
        <source>Mask colour</source>
        <translation>Цвет маски</translation>
    </message>
    <message>
        <location filename="../settings_panel.ui" line="73" />
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="536" />
        <source>File format</source>
        <translation>Формат файлов</translation>
    </message>
    <message>
        <location filename="../settings_panel.ui" line="81" />
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="537" />
        <source>BMP</source>
        <translation>BMP</translation>
    </message>
    <message>
        <location filename="../settings_panel.ui" line="86" />
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="538" />
        <source>PNG with alpha</source>
        <translation>PNG с прозрачностью</translation>
    </message>
    <message>
        <location filename="../settings_panel.ui" line="94" />
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="540" />
        <source>Output folder</source>
        <translation>Папка для файлов</translation>
    </message>
    <message>
        <location filename="../settings_panel.ui" line="116" />
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="541" />
        <source>beside the textures</source>
        <translation>рядом с текстурами</translation>
    </message>
    <message>
        <location filename="../settings_panel.ui" line="123" />
        <location filename="../settings_panel.ui" line="365" />
        <location filename="../settings_panel.ui" line="404" />
        <location filename="../settings_panel.ui" line="457" />
        <location filename="../settings_panel.ui" line="492" />
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="542" />
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="566" />
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="569" />
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="572" />
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="574" />
        <source>…</source>
        <translation>…</translation>
    </message>
    <message>
        <location filename="../settings_panel.ui" line="136" />
        <location filename="../settings_panel.ui" line="142" />
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="543" />
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="544" />
        <source>Block</source>
        <translation>Блок</translation>
    </message>
    <message>
        <location filename="../settings_panel.ui" line="165" />
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="545" />
        <source>Off: flat tiles</source>
        <translation>Нет: плоские тайлы</translation>
    </message>
    <message>
        <location filename="../settings_panel.ui" line="170" />
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="546" />
        <source>Cube</source>
        <translation>Куб</translation>
    </message>
    <message>
        <location filename="../settings_panel.ui" line="175" />
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="547" />
        <source>Height</source>
        <translation>Высота</translation>
    </message>
    <message>
        <location filename="../settings_panel.ui" line="189" />
        <location filename="../settings_panel.ui" line="594" />
        <location filename="../settings_panel.ui" line="614" />
        <location filename="../settings_panel.ui" line="634" />
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="549" />
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="586" />
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="588" />
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="590" />
        <source> px</source>
        <translation> пикс.</translation>
    </message>
    <message>
        <location filename="../settings_panel.ui" line="217" />
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="550" />
        <source>Faces</source>
        <translation>Грани</translation>
    </message>
    <message>
        <location filename="../settings_panel.ui" line="239" />
        <location filename="../settings_panel.ui" line="294" />
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="551" />
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="556" />
        <source>Top</source>
        <translation>Верх</translation>
    </message>
    <message>
        <location filename="../settings_panel.ui" line="246" />
        <location filename="../settings_panel.ui" line="310" />
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="552" />
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="559" />
        <source>Left</source>
        <translation>Левая</translation>
    </message>
    <message>
        <location filename="../settings_panel.ui" line="253" />
        <location filename="../settings_panel.ui" line="326" />
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="553" />
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="562" />
        <source>Right</source>
        <translation>Правая</translation>
    </message>
    <message>
        <location filename="../settings_panel.ui" line="263" />
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="554" />
        <source>Shades</source>
        <translation>Затенение</translation>
    </message>
    <message>
        <location filename="../settings_panel.ui" line="336" />
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="564" />
        <source>Left face texture</source>
        <translation>Текстура левой грани</translation>
    </message>
    <message>
        <location filename="../settings_panel.ui" line="358" />
        <location filename="../settings_panel.ui" line="397" />
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="565" />
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="568" />
        <source>the tile's own</source>
        <translation>текстура тайла</translation>
    </message>
    <message>
        <location filename="../settings_panel.ui" line="375" />
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="567" />
        <source>Right face texture</source>
        <translation>Текстура правой грани</translation>
    </message>
    <message>
        <location filename="../settings_panel.ui" line="420" />
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="570" />
        <source>Transition tiles</source>
        <translation>Переходные тайлы</translation>
    </message>
    <message>
        <location filename="../settings_panel.ui" line="432" />
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="571" />
        <source>Terrain A</source>
        <translation>Местность A</translation>
    </message>
    <message>
        <location filename="../settings_panel.ui" line="467" />
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="573" />
        <source>Terrain B</source>
        <translation>Местность B</translation>
    </message>
    <message>
        <location filename="../settings_panel.ui" line="502" />
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="575" />
        <source>Edge</source>
        <translation>Граница</translation>
    </message>
    <message>
        <location filename="../settings_panel.ui" line="510" />
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="576" />
        <source>Straight</source>
        <translation>Прямая</translation>
    </message>
    <message>
        <location filename="../settings_panel.ui" line="515" />
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="577" />
        <source>Noise</source>
        <translation>Шум</translation>
    </message>
    <message>
        <location filename="../settings_panel.ui" line="520" />
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="578" />
        <source>Dither</source>
        <translation>Сетка</translation>
    </message>
    <message>
        <location filename="../settings_panel.ui" line="528" />
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="580" />
        <source>Seed</source>
        <translation>Зерно</translation>
    </message>
    <message>
        <location filename="../settings_panel.ui" line="548" />
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="581" />
        <source>Outputs</source>
        <translation>Что записать</translation>
    </message>
    <message>
        <location filename="../settings_panel.ui" line="554" />
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="582" />
        <source>All tiles in one sheet</source>
        <translation>Все тайлы на одном листе</translation>
    </message>
    <message>
        <location filename="../settings_panel.ui" line="561" />
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="583" />
        <source>Columns</source>
        <translation>Столбцы</translation>
    </message>
    <message>
        <location filename="../settings_panel.ui" line="574" />
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="584" />
        <source>as square as it can be</source>
        <translation>как можно квадратнее</translation>
    </message>
    <message>
        <location filename="../settings_panel.ui" line="581" />
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="585" />
        <source>Margin</source>
        <translation>Поле</translation>
    </message>
    <message>
        <location filename="../settings_panel.ui" line="601" />
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="587" />
        <source>Spacing</source>
        <translation>Промежуток</translation>
    </message>
    <message>
        <location filename="../settings_panel.ui" line="621" />
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="589" />
        <source>Extrude</source>
        <translation>Расширение краёв</translation>
    </message>
    <message>
        <location filename="../settings_panel.ui" line="641" />
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="591" />
        <source>Tiled tileset (.tsx)</source>
        <translation>Набор тайлов Tiled (.tsx)</translation>
    </message>
    <message>
        <location filename="../settings_panel.ui" line="648" />
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="592" />
        <source>Godot 4 TileSet (.tres)</source>
        <translation>TileSet Godot 4 (.tres)</translation>
    </message>
    <message>
        <location filename="../settings_panel.ui" line="655" />
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="593" />
        <source>Godot 3 TileSet (.tres)</source>
        <translation>TileSet Godot 3 (.tres)</translation>
    </message>
    <message>
        <location filename="../settings_panel.ui" line="662" />
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="594" />
        <source>Map preview (.png)</source>
        <translation>Образец карты (.png)</translation>
    </message>
</context>
<context>
    <name>mosaren::studio::SettingsPanel</name>
    <message>
        <location filename="../settings_panel.cpp" line="144" />
        <source>Choose a folder</source>
        <translation>Выбрать папку</translation>
    </message>
    <message>
        <location filename="../settings_panel.cpp" line="144" />
        <source>Choose a texture</source>
        <translation>Выбрать текстуру</translation>
    </message>
    <message>
        <location filename="../settings_panel.cpp" line="147" />
        <source>Output folder</source>
        <translation>Папка для файлов</translation>
    </message>
    <message>
        <location filename="../settings_panel.cpp" line="148" />
        <source>Texture</source>
        <translation>Текстура</translation>
    </message>
    <message>
        <location filename="../settings_panel.cpp" line="88" />
        <source>%1 × %2</source>
        <translation>%1 × %2</translation>
    </message>
    <message>
        <location filename="../settings_panel.cpp" line="90" />
        <source>Custom</source>
        <translation>Свой</translation>
    </message>
    <message>
        <location filename="../settings_panel.cpp" line="100" />
        <source>Mask colour</source>
        <translation>Цвет маски</translation>
    </message>
</context>
<context>
    <name>mosaren::studio::StudioWindow</name>
    <message>
        <location filename="../studio_window.cpp" line="50" />
        <location filename="../studio_window.cpp" line="273" />
        <location filename="../studio_window.cpp" line="286" />
        <location filename="../studio_window.cpp" line="380" />
        <source>Mosaren Studio</source>
        <translation>Mosaren Studio</translation>
    </message>
    <message>
        <location filename="../studio_window.cpp" line="51" />
        <source>The project has changes that are not saved. Save them?</source>
        <translation>В проекте есть несохранённые изменения. Сохранить их?</translation>
    </message>
    <message>
        <location filename="../studio_window.cpp" line="55" />
        <source>Save project</source>
        <translation>Сохранить проект</translation>
    </message>
    <message>
        <location filename="../studio_window.cpp" line="57" />
        <location filename="../studio_window.cpp" line="116" />
        <source>Tile projects (*.toml)</source>
        <translation>Проекты тайлов (*.toml)</translation>
    </message>
    <message>
        <location filename="../studio_window.cpp" line="74" />
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <location filename="../studio_window.cpp" line="109" />
        <source>&amp;File</source>
        <translation>&amp;Файл</translation>
    </message>
    <message>
        <location filename="../studio_window.cpp" line="110" />
        <source>&amp;New project</source>
        <translation>&amp;Новый проект</translation>
    </message>
    <message>
        <location filename="../studio_window.cpp" line="113" />
        <source>&amp;Open project…</source>
        <translation>&amp;Открыть проект…</translation>
    </message>
    <message>
        <location filename="../studio_window.cpp" line="115" />
        <source>Open project</source>
        <translation>Открыть проект</translation>
    </message>
    <message>
        <location filename="../studio_window.cpp" line="119" />
        <source>Open &amp;recent</source>
        <translation>&amp;Недавние</translation>
    </message>
    <message>
        <location filename="../studio_window.cpp" line="121" />
        <source>&amp;Save</source>
        <translation>&amp;Сохранить</translation>
    </message>
    <message>
        <location filename="../studio_window.cpp" line="122" />
        <source>Save &amp;as…</source>
        <translation>Сохранить &amp;как…</translation>
    </message>
    <message>
        <location filename="../studio_window.cpp" line="127" />
        <source>Add &amp;textures…</source>
        <translation>Добавить &amp;текстуры…</translation>
    </message>
    <message>
        <location filename="../studio_window.cpp" line="128" />
        <location filename="../studio_window.cpp" line="156" />
        <source>Add textures</source>
        <translation>Добавить текстуры</translation>
    </message>
    <message>
        <location filename="../studio_window.cpp" line="131" />
        <source>Add a &amp;folder…</source>
        <translation>Добавить &amp;папку…</translation>
    </message>
    <message>
        <location filename="../studio_window.cpp" line="132" />
        <source>Add a folder</source>
        <translation>Добавить папку</translation>
    </message>
    <message>
        <location filename="../studio_window.cpp" line="136" />
        <source>&amp;Export</source>
        <translation>&amp;Экспорт</translation>
    </message>
    <message>
        <location filename="../studio_window.cpp" line="139" />
        <source>&amp;Quit</source>
        <translation>В&amp;ыход</translation>
    </message>
    <message>
        <location filename="../studio_window.cpp" line="145" />
        <source>Textures (drop files or folders here)</source>
        <translation>Текстуры (перетащите сюда файлы или папки)</translation>
    </message>
    <message>
        <location filename="../studio_window.cpp" line="150" />
        <source>Add…</source>
        <translation>Добавить…</translation>
    </message>
    <message>
        <location filename="../studio_window.cpp" line="151" />
        <source>Remove</source>
        <translation>Убрать</translation>
    </message>
    <message>
        <location filename="../studio_window.cpp" line="169" />
        <source>Selected texture</source>
        <translation>Выбранная текстура</translation>
    </message>
    <message>
        <location filename="../studio_window.cpp" line="169" />
        <source>Transition tiles</source>
        <translation>Переходные тайлы</translation>
    </message>
    <message>
        <location filename="../studio_window.cpp" line="172" />
        <source>%1×</source>
        <translation>%1×</translation>
    </message>
    <message>
        <location filename="../studio_window.cpp" line="174" />
        <source>Pixel grid</source>
        <translation>Сетка пикселей</translation>
    </message>
    <message>
        <location filename="../studio_window.cpp" line="176" />
        <source>Mask colour</source>
        <translation>Цвет маски</translation>
    </message>
    <message>
        <location filename="../studio_window.cpp" line="178" />
        <source>Show</source>
        <translation>Показать</translation>
    </message>
    <message>
        <location filename="../studio_window.cpp" line="180" />
        <source>Zoom</source>
        <translation>Масштаб</translation>
    </message>
    <message>
        <location filename="../studio_window.cpp" line="191" />
        <source>Tile</source>
        <translation>Тайл</translation>
    </message>
    <message>
        <location filename="../studio_window.cpp" line="193" />
        <source>Map</source>
        <translation>Карта</translation>
    </message>
    <message>
        <location filename="../studio_window.cpp" line="258" />
        <source>Untitled</source>
        <translation>Без имени</translation>
    </message>
    <message>
        <location filename="../studio_window.cpp" line="260" />
        <source>%1[*] — Mosaren Studio</source>
        <translation>%1[*] — Mosaren Studio</translation>
    </message>
    <message>
        <location filename="../studio_window.cpp" line="318" />
        <source>An export is running: cancel it before closing.</source>
        <translation>Идёт экспорт: отмените его, прежде чем закрыть окно.</translation>
    </message>
    <message>
        <location filename="../studio_window.cpp" line="361" />
        <source>Exporting…</source>
        <translation>Экспорт…</translation>
    </message>
    <message>
        <location filename="../studio_window.cpp" line="374" />
        <source>Export cancelled: the files written so far are whole.</source>
        <translation>Экспорт отменён: уже записанные файлы целы.</translation>
    </message>
    <message>
        <location filename="../studio_window.cpp" line="375" />
        <source>Exported: %1</source>
        <translation>Экспорт готов: %1</translation>
    </message>
    <message>
        <location filename="../studio_window.cpp" line="376" />
        <source>The export failed.</source>
        <translation>Экспорт не удался.</translation>
    </message>
</context>
<context>
    <name>mosaren::studio::TextureList</name>
    <message>
        <location filename="../texture_list.cpp" line="122" />
        <source>Reading…</source>
        <translation>Чтение…</translation>
    </message>
    <message>
        <location filename="../texture_list.cpp" line="148" />
        <source>%1 × %2, %3</source>
        <translation>%1 × %2, %3</translation>
    </message>
    <message>
        <location filename="../texture_list.cpp" line="150" />
        <source>pictures: %1, the first %2</source>
        <translation>картинок: %1, первая %2</translation>
    </message>
</context>
</TS>
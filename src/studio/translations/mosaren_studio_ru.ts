<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>SettingsPanel</name>
    <message>
        <location filename="../settings_panel.ui" line="9"/>
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="595"/>
        <source>Tiles</source>
        <translation>Тайлы</translation>
    </message>
    <message>
        <location filename="../settings_panel.ui" line="15"/>
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="596"/>
        <source>Tile size</source>
        <translation>Размер тайла</translation>
    </message>
    <message>
        <location filename="../settings_panel.ui" line="63"/>
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="597"/>
        <source>Filter</source>
        <translation>Фильтр</translation>
    </message>
    <message>
        <location filename="../settings_panel.ui" line="71"/>
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="598"/>
        <source>Nearest: pixel art</source>
        <translation>Ближайший: пиксель-арт</translation>
    </message>
    <message>
        <location filename="../settings_panel.ui" line="76"/>
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="599"/>
        <source>Smooth: painted, photographic</source>
        <translation>Сглаживание: рисунок, фото</translation>
    </message>
    <message>
        <location filename="../settings_panel.ui" line="84"/>
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="601"/>
        <source>Mask colour</source>
        <translation>Цвет маски</translation>
    </message>
    <message>
        <location filename="../settings_panel.ui" line="94"/>
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="602"/>
        <source>File format</source>
        <translation>Формат файлов</translation>
    </message>
    <message>
        <location filename="../settings_panel.ui" line="102"/>
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="603"/>
        <source>BMP</source>
        <translation>BMP</translation>
    </message>
    <message>
        <location filename="../settings_panel.ui" line="107"/>
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="604"/>
        <source>PNG with alpha</source>
        <translation>PNG с прозрачностью</translation>
    </message>
    <message>
        <location filename="../settings_panel.ui" line="115"/>
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="606"/>
        <source>Output folder</source>
        <translation>Папка для файлов</translation>
    </message>
    <message>
        <location filename="../settings_panel.ui" line="137"/>
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="607"/>
        <source>beside the textures</source>
        <translation>рядом с текстурами</translation>
    </message>
    <message>
        <location filename="../settings_panel.ui" line="144"/>
        <location filename="../settings_panel.ui" line="386"/>
        <location filename="../settings_panel.ui" line="425"/>
        <location filename="../settings_panel.ui" line="478"/>
        <location filename="../settings_panel.ui" line="513"/>
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="608"/>
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="632"/>
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="635"/>
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="638"/>
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="640"/>
        <source>…</source>
        <translation>…</translation>
    </message>
    <message>
        <location filename="../settings_panel.ui" line="157"/>
        <location filename="../settings_panel.ui" line="163"/>
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="609"/>
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="610"/>
        <source>Block</source>
        <translation>Блок</translation>
    </message>
    <message>
        <location filename="../settings_panel.ui" line="186"/>
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="611"/>
        <source>Off: flat tiles</source>
        <translation>Нет: плоские тайлы</translation>
    </message>
    <message>
        <location filename="../settings_panel.ui" line="191"/>
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="612"/>
        <source>Cube</source>
        <translation>Куб</translation>
    </message>
    <message>
        <location filename="../settings_panel.ui" line="196"/>
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="613"/>
        <source>Height</source>
        <translation>Высота</translation>
    </message>
    <message>
        <location filename="../settings_panel.ui" line="210"/>
        <location filename="../settings_panel.ui" line="590"/>
        <location filename="../settings_panel.ui" line="658"/>
        <location filename="../settings_panel.ui" line="678"/>
        <location filename="../settings_panel.ui" line="698"/>
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="615"/>
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="649"/>
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="655"/>
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="657"/>
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="659"/>
        <source> px</source>
        <translation> пикс.</translation>
    </message>
    <message>
        <location filename="../settings_panel.ui" line="238"/>
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="616"/>
        <source>Faces</source>
        <translation>Грани</translation>
    </message>
    <message>
        <location filename="../settings_panel.ui" line="260"/>
        <location filename="../settings_panel.ui" line="315"/>
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="617"/>
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="622"/>
        <source>Top</source>
        <translation>Верх</translation>
    </message>
    <message>
        <location filename="../settings_panel.ui" line="267"/>
        <location filename="../settings_panel.ui" line="331"/>
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="618"/>
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="625"/>
        <source>Left</source>
        <translation>Левая</translation>
    </message>
    <message>
        <location filename="../settings_panel.ui" line="274"/>
        <location filename="../settings_panel.ui" line="347"/>
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="619"/>
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="628"/>
        <source>Right</source>
        <translation>Правая</translation>
    </message>
    <message>
        <location filename="../settings_panel.ui" line="284"/>
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="620"/>
        <source>Shades</source>
        <translation>Затенение</translation>
    </message>
    <message>
        <location filename="../settings_panel.ui" line="357"/>
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="630"/>
        <source>Left face texture</source>
        <translation>Текстура левой грани</translation>
    </message>
    <message>
        <location filename="../settings_panel.ui" line="379"/>
        <location filename="../settings_panel.ui" line="418"/>
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="631"/>
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="634"/>
        <source>the tile&apos;s own</source>
        <translation>текстура тайла</translation>
    </message>
    <message>
        <location filename="../settings_panel.ui" line="396"/>
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="633"/>
        <source>Right face texture</source>
        <translation>Текстура правой грани</translation>
    </message>
    <message>
        <location filename="../settings_panel.ui" line="441"/>
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="636"/>
        <source>Transition tiles</source>
        <translation>Переходные тайлы</translation>
    </message>
    <message>
        <location filename="../settings_panel.ui" line="453"/>
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="637"/>
        <source>Terrain A</source>
        <translation>Местность A</translation>
    </message>
    <message>
        <location filename="../settings_panel.ui" line="488"/>
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="639"/>
        <source>Terrain B</source>
        <translation>Местность B</translation>
    </message>
    <message>
        <location filename="../settings_panel.ui" line="523"/>
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="641"/>
        <source>Edge</source>
        <translation>Граница</translation>
    </message>
    <message>
        <location filename="../settings_panel.ui" line="531"/>
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="642"/>
        <source>Straight</source>
        <translation>Прямая</translation>
    </message>
    <message>
        <location filename="../settings_panel.ui" line="536"/>
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="643"/>
        <source>Noise</source>
        <translation>Шум</translation>
    </message>
    <message>
        <location filename="../settings_panel.ui" line="541"/>
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="644"/>
        <source>Dither</source>
        <translation>Сетка</translation>
    </message>
    <message>
        <location filename="../settings_panel.ui" line="549"/>
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="646"/>
        <source>Seed</source>
        <translation>Зерно</translation>
    </message>
    <message>
        <location filename="../settings_panel.ui" line="566"/>
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="647"/>
        <source>Variants</source>
        <translation>Варианты</translation>
    </message>
    <message>
        <location filename="../settings_panel.ui" line="583"/>
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="648"/>
        <source>Feather</source>
        <translation>Растушёвка</translation>
    </message>
    <message>
        <location filename="../settings_panel.ui" line="612"/>
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="650"/>
        <source>Outputs</source>
        <translation>Что записать</translation>
    </message>
    <message>
        <location filename="../settings_panel.ui" line="618"/>
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="651"/>
        <source>All tiles in one sheet</source>
        <translation>Все тайлы на одном листе</translation>
    </message>
    <message>
        <location filename="../settings_panel.ui" line="625"/>
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="652"/>
        <source>Columns</source>
        <translation>Столбцы</translation>
    </message>
    <message>
        <location filename="../settings_panel.ui" line="638"/>
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="653"/>
        <source>as square as it can be</source>
        <translation>как можно квадратнее</translation>
    </message>
    <message>
        <location filename="../settings_panel.ui" line="645"/>
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="654"/>
        <source>Margin</source>
        <translation>Поле</translation>
    </message>
    <message>
        <location filename="../settings_panel.ui" line="665"/>
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="656"/>
        <source>Spacing</source>
        <translation>Промежуток</translation>
    </message>
    <message>
        <location filename="../settings_panel.ui" line="685"/>
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="658"/>
        <source>Extrude</source>
        <translation>Расширение краёв</translation>
    </message>
    <message>
        <location filename="../settings_panel.ui" line="705"/>
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="660"/>
        <source>Tiled tileset (.tsx)</source>
        <translation>Набор тайлов Tiled (.tsx)</translation>
    </message>
    <message>
        <location filename="../settings_panel.ui" line="712"/>
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="661"/>
        <source>Godot 4 TileSet (.tres)</source>
        <translation>TileSet Godot 4 (.tres)</translation>
    </message>
    <message>
        <location filename="../settings_panel.ui" line="719"/>
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="662"/>
        <source>Godot 3 TileSet (.tres)</source>
        <translation>TileSet Godot 3 (.tres)</translation>
    </message>
    <message>
        <location filename="../settings_panel.ui" line="726"/>
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="663"/>
        <source>Map preview (.png)</source>
        <translation>Образец карты (.png)</translation>
    </message>
    <message>
        <location filename="../settings_panel.ui" line="733"/>
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="664"/>
        <source>Starter map for Tiled (.tmx)</source>
        <translation>Начальная карта для Tiled (.tmx)</translation>
    </message>
    <message>
        <location filename="../settings_panel.ui" line="740"/>
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="665"/>
        <source>Starter map in Tiled JSON, for Phaser (.tmj)</source>
        <translation>Начальная карта в Tiled JSON, для Phaser (.tmj)</translation>
    </message>
    <message>
        <location filename="../settings_panel.ui" line="747"/>
        <location filename="../../../build-test/src/studio/mosaren_studio_autogen/include/ui_settings_panel.h" line="666"/>
        <source>Starter map for Godot (.tscn)</source>
        <translation>Начальная карта для Godot (.tscn)</translation>
    </message>
</context>
<context>
    <name>mosaren::studio::SettingsPanel</name>
    <message>
        <location filename="../settings_panel.cpp" line="181"/>
        <source>Choose a folder</source>
        <translation>Выбрать папку</translation>
    </message>
    <message>
        <location filename="../settings_panel.cpp" line="181"/>
        <source>Choose a texture</source>
        <translation>Выбрать текстуру</translation>
    </message>
    <message>
        <location filename="../settings_panel.cpp" line="184"/>
        <source>Output folder</source>
        <translation>Папка для файлов</translation>
    </message>
    <message>
        <location filename="../settings_panel.cpp" line="185"/>
        <source>Texture</source>
        <translation>Текстура</translation>
    </message>
    <message>
        <location filename="../settings_panel.cpp" line="118"/>
        <source>%1 × %2</source>
        <translation>%1 × %2</translation>
    </message>
    <message>
        <location filename="../settings_panel.cpp" line="96"/>
        <source>How a tile samples its texture. Nearest: each tile pixel takes one texture pixel, for pixel art. Smooth: each tile pixel blends the texture pixels it covers, for painted and photographic textures.</source>
        <translation>Как тайл берёт пиксели текстуры. Ближайший: каждый пиксель тайла берёт один пиксель текстуры, для пиксель-арта. Сглаживание: каждый пиксель тайла смешивает пиксели текстуры, которые он покрывает, для рисованных и фотографических текстур.</translation>
    </message>
    <message>
        <location filename="../settings_panel.cpp" line="99"/>
        <source>How many different tiles to make of each of the 16 corner combinations, each fitting every neighbour: Tiled and Godot pick among them as you paint, so a long shore does not repeat.</source>
        <translation>Сколько разных тайлов делать для каждого из 16 сочетаний углов, каждый подходит к любому соседу: Tiled и Godot выбирают среди них при рисовании, и длинный берег не повторяется.</translation>
    </message>
    <message>
        <location filename="../settings_panel.cpp" line="102"/>
        <source>How wide the soft border between the two terrains is, in tile pixels (0: a hard border).</source>
        <translation>Ширина мягкой границы между двумя местностями в пикселях тайла (0 — резкая граница).</translation>
    </message>
    <message>
        <location filename="../settings_panel.cpp" line="104"/>
        <source>With BMP tiles this switches the sheet on: Tiled keys the mask colour out of a sheet only.</source>
        <translation>С тайлами BMP включает лист: Tiled делает цвет маски прозрачным только на листе.</translation>
    </message>
    <message>
        <location filename="../settings_panel.cpp" line="106"/>
        <source>Switches on a PNG sheet: the tile set is an atlas of the sheet, and Godot keys no mask colour out.</source>
        <translation>Включает лист PNG: набор тайлов — атлас листа, а Godot не делает цвет маски прозрачным.</translation>
    </message>
    <message>
        <location filename="../settings_panel.cpp" line="109"/>
        <source>The map preview&apos;s 6 × 6 map as a Tiled map, named after the set. Switches the Tiled tileset on: the map takes its tiles from it.</source>
        <translation>Карта 6 × 6 из образца карты как карта Tiled, названная по набору. Включает набор тайлов Tiled: карта берёт тайлы из него.</translation>
    </message>
    <message>
        <location filename="../settings_panel.cpp" line="111"/>
        <source>The same map as Tiled JSON, for Phaser and other web engines, the sheet&apos;s tileset embedded. Switches on a PNG sheet: web engines take a tileset as one picture and key no colour out.</source>
        <translation>Та же карта в Tiled JSON, для Phaser и других веб-движков, со встроенным набором тайлов листа. Включает лист PNG: веб-движки берут набор тайлов одной картинкой и не делают цвет прозрачным.</translation>
    </message>
    <message>
        <location filename="../settings_panel.cpp" line="114"/>
        <source>The same map as a Godot scene of the Godot 4 or the Godot 3 tile set, exactly one of them. Switches Godot 4 on when neither is.</source>
        <translation>Та же карта как сцена Godot с набором тайлов Godot 4 или Godot 3, ровно одним из них. Включает Godot 4, если не включён ни один.</translation>
    </message>
    <message>
        <location filename="../settings_panel.cpp" line="120"/>
        <source>Custom</source>
        <translation>Свой</translation>
    </message>
    <message>
        <location filename="../settings_panel.cpp" line="130"/>
        <source>Mask colour</source>
        <translation>Цвет маски</translation>
    </message>
    <message>
        <location filename="../settings_panel.cpp" line="237"/>
        <source>A soft border is made by the smooth filter only.</source>
        <translation>Мягкую границу даёт только сглаживающий фильтр.</translation>
    </message>
    <message>
        <location filename="../settings_panel.cpp" line="241"/>
        <source>PNG: the Godot tile sets and the Tiled JSON map need a PNG sheet, as neither Godot nor a web engine keys a mask colour out.</source>
        <translation>PNG: наборам тайлов Godot и карте Tiled JSON нужен лист PNG, так как ни Godot, ни веб-движки не делают цвет маски прозрачным.</translation>
    </message>
    <message>
        <location filename="../settings_panel.cpp" line="245"/>
        <source>The Godot tile sets and the Tiled JSON map are made of the sheet.</source>
        <translation>Наборы тайлов Godot и карта Tiled JSON строятся из листа.</translation>
    </message>
    <message>
        <location filename="../settings_panel.cpp" line="246"/>
        <source>The Tiled tileset of BMP tiles needs the sheet: Tiled keys the mask colour out of a sheet only.</source>
        <translation>Набору тайлов Tiled из тайлов BMP нужен лист: Tiled делает цвет маски прозрачным только на листе.</translation>
    </message>
    <message>
        <location filename="../settings_panel.cpp" line="248"/>
        <source>The Tiled map takes its tiles from this tileset.</source>
        <translation>Карта Tiled берёт тайлы из этого набора.</translation>
    </message>
    <message>
        <location filename="../settings_panel.cpp" line="251"/>
        <source>The Godot scene uses one tile set, and Godot 4 and Godot 3 each need a project of their own: switch the scene off first.</source>
        <translation>Сцена Godot использует один набор тайлов, а Godot 4 и Godot 3 требуют каждый своего проекта: сначала выключите сцену.</translation>
    </message>
    <message>
        <location filename="../settings_panel.cpp" line="256"/>
        <source>A Godot scene uses one tile set: switch Godot 4 or Godot 3 off.</source>
        <translation>Сцена Godot использует один набор тайлов: выключите Godot 4 или Godot 3.</translation>
    </message>
</context>
<context>
    <name>mosaren::studio::StudioWindow</name>
    <message>
        <location filename="../studio_window.cpp" line="52"/>
        <location filename="../studio_window.cpp" line="277"/>
        <location filename="../studio_window.cpp" line="290"/>
        <location filename="../studio_window.cpp" line="384"/>
        <source>Mosaren Studio</source>
        <translation>Mosaren Studio</translation>
    </message>
    <message>
        <location filename="../studio_window.cpp" line="53"/>
        <source>The project has changes that are not saved. Save them?</source>
        <translation>В проекте есть несохранённые изменения. Сохранить их?</translation>
    </message>
    <message>
        <location filename="../studio_window.cpp" line="59"/>
        <source>Save project</source>
        <translation>Сохранить проект</translation>
    </message>
    <message>
        <location filename="../studio_window.cpp" line="59"/>
        <location filename="../studio_window.cpp" line="117"/>
        <source>Tile projects (*.toml)</source>
        <translation>Проекты тайлов (*.toml)</translation>
    </message>
    <message>
        <location filename="../studio_window.cpp" line="76"/>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <location filename="../studio_window.cpp" line="110"/>
        <source>&amp;File</source>
        <translation>&amp;Файл</translation>
    </message>
    <message>
        <location filename="../studio_window.cpp" line="111"/>
        <source>&amp;New project</source>
        <translation>&amp;Новый проект</translation>
    </message>
    <message>
        <location filename="../studio_window.cpp" line="114"/>
        <source>&amp;Open project…</source>
        <translation>&amp;Открыть проект…</translation>
    </message>
    <message>
        <location filename="../studio_window.cpp" line="116"/>
        <source>Open project</source>
        <translation>Открыть проект</translation>
    </message>
    <message>
        <location filename="../studio_window.cpp" line="120"/>
        <source>Open &amp;recent</source>
        <translation>&amp;Недавние</translation>
    </message>
    <message>
        <location filename="../studio_window.cpp" line="122"/>
        <source>&amp;Save</source>
        <translation>&amp;Сохранить</translation>
    </message>
    <message>
        <location filename="../studio_window.cpp" line="123"/>
        <source>Save &amp;as…</source>
        <translation>Сохранить &amp;как…</translation>
    </message>
    <message>
        <location filename="../studio_window.cpp" line="128"/>
        <source>Add &amp;textures…</source>
        <translation>Добавить &amp;текстуры…</translation>
    </message>
    <message>
        <location filename="../studio_window.cpp" line="129"/>
        <location filename="../studio_window.cpp" line="156"/>
        <source>Add textures</source>
        <translation>Добавить текстуры</translation>
    </message>
    <message>
        <location filename="../studio_window.cpp" line="132"/>
        <source>Add a &amp;folder…</source>
        <translation>Добавить &amp;папку…</translation>
    </message>
    <message>
        <location filename="../studio_window.cpp" line="133"/>
        <source>Add a folder</source>
        <translation>Добавить папку</translation>
    </message>
    <message>
        <location filename="../studio_window.cpp" line="137"/>
        <source>&amp;Export</source>
        <translation>&amp;Экспорт</translation>
    </message>
    <message>
        <location filename="../studio_window.cpp" line="139"/>
        <source>&amp;Quit</source>
        <translation>В&amp;ыход</translation>
    </message>
    <message>
        <location filename="../studio_window.cpp" line="145"/>
        <source>Textures (drop files or folders here)</source>
        <translation>Текстуры (перетащите сюда файлы или папки)</translation>
    </message>
    <message>
        <location filename="../studio_window.cpp" line="150"/>
        <source>Add…</source>
        <translation>Добавить…</translation>
    </message>
    <message>
        <location filename="../studio_window.cpp" line="151"/>
        <source>Remove</source>
        <translation>Убрать</translation>
    </message>
    <message>
        <location filename="../studio_window.cpp" line="169"/>
        <source>Selected texture</source>
        <translation>Выбранная текстура</translation>
    </message>
    <message>
        <location filename="../studio_window.cpp" line="169"/>
        <source>Transition tiles</source>
        <translation>Переходные тайлы</translation>
    </message>
    <message>
        <location filename="../studio_window.cpp" line="172"/>
        <source>%1×</source>
        <translation>%1×</translation>
    </message>
    <message>
        <location filename="../studio_window.cpp" line="175"/>
        <source>Pixel grid</source>
        <translation>Сетка пикселей</translation>
    </message>
    <message>
        <location filename="../studio_window.cpp" line="177"/>
        <source>Mask colour</source>
        <translation>Цвет маски</translation>
    </message>
    <message>
        <location filename="../studio_window.cpp" line="179"/>
        <source>Show</source>
        <translation>Показать</translation>
    </message>
    <message>
        <location filename="../studio_window.cpp" line="181"/>
        <source>Zoom</source>
        <translation>Масштаб</translation>
    </message>
    <message>
        <location filename="../studio_window.cpp" line="193"/>
        <source>Tile</source>
        <translation>Тайл</translation>
    </message>
    <message>
        <location filename="../studio_window.cpp" line="195"/>
        <source>Map</source>
        <translation>Карта</translation>
    </message>
    <message>
        <location filename="../studio_window.cpp" line="262"/>
        <source>Untitled</source>
        <translation>Без имени</translation>
    </message>
    <message>
        <location filename="../studio_window.cpp" line="264"/>
        <source>%1[*] — Mosaren Studio</source>
        <translation>%1[*] — Mosaren Studio</translation>
    </message>
    <message>
        <location filename="../studio_window.cpp" line="322"/>
        <source>An export is running: cancel it before closing.</source>
        <translation>Идёт экспорт: отмените его, прежде чем закрыть окно.</translation>
    </message>
    <message>
        <location filename="../studio_window.cpp" line="365"/>
        <source>Exporting…</source>
        <translation>Экспорт…</translation>
    </message>
    <message>
        <location filename="../studio_window.cpp" line="378"/>
        <source>Export cancelled: the files written so far are whole.</source>
        <translation>Экспорт отменён: уже записанные файлы целы.</translation>
    </message>
    <message>
        <location filename="../studio_window.cpp" line="379"/>
        <source>Exported: %1</source>
        <translation>Экспорт готов: %1</translation>
    </message>
    <message>
        <location filename="../studio_window.cpp" line="380"/>
        <source>The export failed.</source>
        <translation>Экспорт не удался.</translation>
    </message>
</context>
<context>
    <name>mosaren::studio::TextureList</name>
    <message>
        <location filename="../texture_list.cpp" line="122"/>
        <source>Reading…</source>
        <translation>Чтение…</translation>
    </message>
    <message>
        <location filename="../texture_list.cpp" line="148"/>
        <source>%1 × %2, %3</source>
        <translation>%1 × %2, %3</translation>
    </message>
    <message>
        <location filename="../texture_list.cpp" line="151"/>
        <source>pictures: %1, the first %2</source>
        <translation>картинок: %1, первая %2</translation>
    </message>
</context>
</TS>

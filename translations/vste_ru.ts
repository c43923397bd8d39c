<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU" sourcelanguage="en_US">
<context>
    <name>vste::ui::TMainForm</name>
    <message>
        <source>Categories</source>
        <translation>Категории</translation>
    </message>
    <message>
        <source>Strings</source>
        <translation>Строки</translation>
    </message>
    <message>
        <source>Sting Values</source>
        <translation>Значение строки</translation>
    </message>
    <message>
        <source>Quick Search:</source>
        <translation>Быстрый поиск:</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Название</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Значение</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Удалить</translation>
    </message>
    <message>
        <source>Insert</source>
        <translation>Добавить</translation>
    </message>
    <message>
        <source>Apply Changes</source>
        <translation>Применить изменения</translation>
    </message>
    <message>
        <source>String Name:</source>
        <translation>Название строки:</translation>
    </message>
    <message>
        <source>Extra value of string</source>
        <translation>Дополнительное значение строки</translation>
    </message>
    <message>
        <source>String value of %1 values:</source>
        <translation>Значение строки (из %1):</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Файл</translation>
    </message>
    <message>
        <source>New</source>
        <translation>Создать</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Открыть</translation>
    </message>
    <message>
        <source>Open in new window</source>
        <translation>Открыть в новом окне</translation>
    </message>
    <message>
        <source>Open favorite file</source>
        <translation>Открыть любимый файл</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Сохранить</translation>
    </message>
    <message>
        <source>Save as...</source>
        <translation>Сохранить как...</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Выход</translation>
    </message>
    <message>
        <source>Import strings from CSF</source>
        <translation>Замена значений строк из CSF</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Правка</translation>
    </message>
    <message>
        <source>Set file as favorite</source>
        <translation>Сделать открытый файл любимым</translation>
    </message>
    <message>
        <source>Favorite file %1</source>
        <translation>Любимый файл %1</translation>
    </message>
    <message>
        <source>Character Encoding</source>
        <translation>Кодировка символов</translation>
    </message>
    <message>
        <source>Unicode</source>
        <translation>Unicode</translation>
    </message>
    <message>
        <source>ANSI (only for Cyrillics)</source>
        <translation>ANSI (только для кириллицы)</translation>
    </message>
    <message>
        <source>Autodetect Encoding</source>
        <translation>Автоопределение кодировки</translation>
    </message>
    <message>
        <source>Nox Fargus ANSI Cyrillics</source>
        <translation>ANSI кириллица фаргуса для Nox</translation>
    </message>
    <message>
        <source>File Version</source>
        <translation>Версия файла</translation>
    </message>
    <message>
        <source>Version 2 (Nox)</source>
        <translation>Версия 2 (Nox)</translation>
    </message>
    <message>
        <source>Version 3 (RA2\RA2YR\Gen\GZH\BFME\BFME2)</source>
        <translation>Версия 3 (RA2\RA2YR\Gen\GZH\BFME\BFME2)</translation>
    </message>
    <message>
        <source>File Language</source>
        <translation>Язык файла</translation>
    </message>
    <message>
        <source>Language 1 (English)</source>
        <translation>Язык 1 (английский)</translation>
    </message>
    <message>
        <source>Language 2 (Spanish)</source>
        <translation>Язык 2 (испанский)</translation>
    </message>
    <message>
        <source>Language 3 (German RA2)</source>
        <translation>Язык 3 (германский RA2)</translation>
    </message>
    <message>
        <source>Language 4 (French RA2, German BFME)</source>
        <translation>Язык 4 (французский RA2, германский BFME)</translation>
    </message>
    <message>
        <source>Language 5 (French BFME)</source>
        <translation>Язык 5 (французский BFME)</translation>
    </message>
    <message>
        <source>Language 6 (Italian)</source>
        <translation>Язык 6 (итальянский)</translation>
    </message>
    <message>
        <source>Language 7 (Dutch)</source>
        <translation>Язык 7 (голландский)</translation>
    </message>
    <message>
        <source>Language 8</source>
        <translation>Язык 8</translation>
    </message>
    <message>
        <source>Language 9 (Swedish)</source>
        <translation>Язык 9 (шведский)</translation>
    </message>
    <message>
        <source>Language 10 (Chinese)</source>
        <translation>Язык 10 (китайский)</translation>
    </message>
    <message>
        <source>Language 11</source>
        <translation>Язык 11</translation>
    </message>
    <message>
        <source>Language 12 (Brazilian Gen, Polish BFME)</source>
        <translation>Язык 12 (бразильский Gen, польский BFME)</translation>
    </message>
    <message>
        <source>Language 13 (Norwegian &amp;&amp; Thai)</source>
        <translation>Язык 13 (норвежский и тайский)</translation>
    </message>
    <message>
        <source>Language 14</source>
        <translation>Язык 14</translation>
    </message>
    <message>
        <source>Language 15</source>
        <translation>Язык 15</translation>
    </message>
    <message>
        <source>Language 16</source>
        <translation>Язык 16</translation>
    </message>
    <message>
        <source>Language 17</source>
        <translation>Язык 17</translation>
    </message>
    <message>
        <source>Language 18 (Russian)</source>
        <translation>Язык 18 (русский)</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Настройки</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Язык</translation>
    </message>
    <message>
        <source>Associate VSTE with</source>
        <translation>Ассоциация VSTE с</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Справка</translation>
    </message>
    <message>
        <source>About...</source>
        <translation>О программе...</translation>
    </message>
    <message>
        <source>Ready and waiting orders</source>
        <translation>Готов вкалывать и жду приказаний</translation>
    </message>
    <message>
        <source>File with this filename not exist!</source>
        <translation>Файла с таким именем не существует!</translation>
    </message>
    <message>
        <source>Opening. Please Stand By...</source>
        <translation>Открытие. Пожалуйста, подождите...</translation>
    </message>
    <message>
        <source>File was opened successfully</source>
        <translation>Файл был благополучно открыт</translation>
    </message>
    <message>
        <source>Strings of [%1]</source>
        <translation>Строки категории [%1]</translation>
    </message>
    <message>
        <source>String Table must containe one string!</source>
        <translation>Файл должен содержать как минимум одну строку!</translation>
    </message>
    <message>
        <source>File was saved successfully</source>
        <translation>Файл был благополучно сохранён</translation>
    </message>
    <message>
        <source>Saving. Please Stand By...</source>
        <translation>Сохранение. Пожалуйста, подождите...</translation>
    </message>
    <message>
        <source>You have not saved last changes in file. Would you like to save it before exit?!</source>
        <translation>Вы не сохранили, сделанные вами, изменения в файле. Хотите сохранить их перед выходом?!</translation>
    </message>
    <message>
        <source>Opening file. Please Stand By...</source>
        <translation>Открытие файла. Пожалуйста, подождите...</translation>
    </message>
    <message>
        <source>Importing. Please Stand By...</source>
        <translation>Импортирование. Пожалуйста, подождите...</translation>
    </message>
    <message>
        <source>Strings was imported successfully</source>
        <translation>Строки были благополучно импортированы</translation>
    </message>
    <message>
        <source>Settings could not be saved</source>
        <translation>Не удалось сохранить настройки</translation>
    </message>
    <message>
        <source>Code page</source>
        <translation>Кодовая страница</translation>
    </message>
    <message>
        <source>Windows-1250 (Central European)</source>
        <translation>Windows-1250 (центральноевропейская)</translation>
    </message>
    <message>
        <source>Windows-1251 (Cyrillic)</source>
        <translation>Windows-1251 (кириллица)</translation>
    </message>
    <message>
        <source>Windows-1252 (Western European)</source>
        <translation>Windows-1252 (западноевропейская)</translation>
    </message>
    <message>
        <source>Windows-1253 (Greek)</source>
        <translation>Windows-1253 (греческая)</translation>
    </message>
    <message>
        <source>Windows-1254 (Turkish)</source>
        <translation>Windows-1254 (турецкая)</translation>
    </message>
    <message>
        <source>Windows-1255 (Hebrew)</source>
        <translation>Windows-1255 (иврит)</translation>
    </message>
    <message>
        <source>Windows-1256 (Arabic)</source>
        <translation>Windows-1256 (арабская)</translation>
    </message>
    <message>
        <source>Windows-1257 (Baltic)</source>
        <translation>Windows-1257 (балтийская)</translation>
    </message>
    <message>
        <source>Windows-1258 (Vietnamese)</source>
        <translation>Windows-1258 (вьетнамская)</translation>
    </message>
    <message>
        <source>Windows-874 (Thai)</source>
        <translation>Windows-874 (тайская)</translation>
    </message>
    <message>
        <source>You have not saved last changes in file. Would you like to save it before opening another file?!</source>
        <translation>Вы не сохранили, сделанные вами, изменения в файле. Хотите сохранить их перед открытием другого файла?!</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Отменить</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>Повторить</translation>
    </message>
    <message>
        <source>Undo %1</source>
        <translation>Отменить: %1</translation>
    </message>
    <message>
        <source>Redo %1</source>
        <translation>Повторить: %1</translation>
    </message>
    <message>
        <source>Add value</source>
        <translation>Добавить значение</translation>
    </message>
    <message>
        <source>Remove value</source>
        <translation>Удалить значение</translation>
    </message>
</context>
<context>
    <name>vste::ui::TMainForm</name>
    <message>
        <source>Untitled</source>
        <translation>Безымянный</translation>
    </message>
    <message>
        <source>New file was created</source>
        <translation>Создан новый файл</translation>
    </message>
</context>
<context>
    <name>vste::ui::RecentFiles</name>
    <message>
        <source>Recent files</source>
        <translation>Недавние файлы</translation>
    </message>
    <message>
        <source>Clear list</source>
        <translation>Очистить список</translation>
    </message>
    <message>
        <source>%1

This file no longer exists. It was removed from the recent files.</source>
        <translation>%1

Этого файла больше нет. Он удалён из списка недавних файлов.</translation>
    </message>
</context>
<context>
    <name>vste::ui::FileDrop</name>
    <message>
        <source>Only the first of %1 dropped files was opened: %2</source>
        <translation>Из перетащенных файлов (%1) открыт только первый: %2</translation>
    </message>
</context>
</TS>

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
    <name>vste::ui::FilterController</name>
    <message>
        <source>All</source>
        <translation>Все</translation>
    </message>
    <message>
        <source>Untranslated</source>
        <translation>Непереведённые</translation>
    </message>
    <message>
        <source>Differs in placeholders or line breaks</source>
        <translation>Отличаются подстановки или переносы строк</translation>
    </message>
    <message>
        <source>Missing in reference</source>
        <translation>Нет в оригинале</translation>
    </message>
    <message>
        <source>Only in reference</source>
        <translation>Только в оригинале</translation>
    </message>
    <message>
        <source>Needs review</source>
        <translation>Требуют проверки</translation>
    </message>
    <message>
        <source>Show:</source>
        <translation>Показать:</translation>
    </message>
    <message>
        <source>Add missing from reference</source>
        <translation>Добавить недостающие из оригинала</translation>
    </message>
    <message>
        <source>The document has every string of the reference</source>
        <translation>В документе есть все строки оригинала</translation>
    </message>
    <message numerus="yes">
        <source>%n string(s) added from the reference</source>
        <translation>
            <numerusform>Добавлена %n строка из оригинала</numerusform>
            <numerusform>Добавлено %n строки из оригинала</numerusform>
            <numerusform>Добавлено %n строк из оригинала</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>vste::ui::ReferenceWorkbench</name>
    <message>
        <source>Choose the reference table</source>
        <translation>Выберите таблицу-оригинал</translation>
    </message>
    <message>
        <source>Reference opened</source>
        <translation>Оригинал открыт</translation>
    </message>
    <message>
        <source>Reference: %1</source>
        <translation>Оригинал: %1</translation>
    </message>
    <message>
        <source>Choose the old original</source>
        <translation>Выберите старый оригинал</translation>
    </message>
    <message>
        <source>Choose the new original</source>
        <translation>Выберите новый оригинал</translation>
    </message>
    <message>
        <source>Updated: %1 kept, %2 changed, %3 new, %4 removed</source>
        <translation>Обновлено: сохранено %1, изменено %2, новых %3, удалено %4</translation>
    </message>
    <message>
        <source>Reference value</source>
        <translation>Значение в оригинале</translation>
    </message>
    <message>
        <source>Open reference...</source>
        <translation>Открыть оригинал...</translation>
    </message>
    <message>
        <source>Close reference</source>
        <translation>Закрыть оригинал</translation>
    </message>
    <message>
        <source>Update translation...</source>
        <translation>Обновить перевод...</translation>
    </message>
</context>
<context>
    <name>vste::ui::CompareController</name>
    <message>
        <source>only here</source>
        <translation>только здесь</translation>
    </message>
    <message>
        <source>only there</source>
        <translation>только там</translation>
    </message>
    <message>
        <source>changed</source>
        <translation>изменена</translation>
    </message>
    <message>
        <source> (other values differ)</source>
        <translation> (отличаются другие значения)</translation>
    </message>
    <message>
        <source>Compared with %1: %2 only here, %3 only there, %4 changed</source>
        <translation>Сравнение с %1: только здесь %2, только там %3, изменено %4</translation>
    </message>
    <message>
        <source>Compare with...</source>
        <translation>Сравнить с...</translation>
    </message>
    <message>
        <source>Difference</source>
        <translation>Различие</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Имя</translation>
    </message>
    <message>
        <source>This value</source>
        <translation>Это значение</translation>
    </message>
    <message>
        <source>Other value</source>
        <translation>Другое значение</translation>
    </message>
    <message>
        <source>Take other's value</source>
        <translation>Взять другое значение</translation>
    </message>
    <message>
        <source>Take all changed</source>
        <translation>Взять все изменённые</translation>
    </message>
    <message>
        <source>Comparison</source>
        <translation>Сравнение</translation>
    </message>
    <message numerus="yes">
        <source>%n string(s) took the other table's values</source>
        <translation>
            <numerusform>%n строка получила значения другой таблицы</numerusform>
            <numerusform>%n строки получили значения другой таблицы</numerusform>
            <numerusform>%n строк получили значения другой таблицы</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>vste::ui::StringsModel</name>
    <message>
        <source>Name</source>
        <translation>Имя</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Значение</translation>
    </message>
    <message>
        <source>Reference</source>
        <translation>Оригинал</translation>
    </message>
</context>
<context>
    <name>vste::ui::TMainForm</name>
    <message>
        <source>Add missing from reference</source>
        <translation>Добавить недостающие из оригинала</translation>
    </message>
    <message>
        <source>Update translation</source>
        <translation>Обновить перевод</translation>
    </message>
    <message>
        <source>Take other's value</source>
        <translation>Взять другое значение</translation>
    </message>
    <message>
        <source>Take all changed</source>
        <translation>Взять все изменённые</translation>
    </message>
</context>
</TS>

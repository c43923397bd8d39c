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
        <source>File was not saved</source>
        <translation>Файл не сохранён</translation>
    </message>
    <message>
        <source>Undo Typing</source>
        <translation>Отменить ввод</translation>
    </message>
    <message>
        <source>Redo Typing</source>
        <translation>Повторить ввод</translation>
    </message>
    <message>
        <source>%1 already exists.
Do you want to replace it?</source>
        <translation>%1 уже существует.
Заменить его?</translation>
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
    <message>
        <source>Import translation</source>
        <translation>Импорт перевода</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>Безымянный</translation>
    </message>
    <message>
        <source>New file was created</source>
        <translation>Создан новый файл</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>Заменить</translation>
    </message>
    <message>
        <source>Replace all</source>
        <translation>Заменить все</translation>
    </message>
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
    <message>
        <source>Save as</source>
        <translation>Сохранить как</translation>
    </message>
    <message>
        <source>Open a string table</source>
        <translation>Открыть таблицу строк</translation>
    </message>
    <message>
        <source>Choose the CSF table to import strings from</source>
        <translation>Выберите таблицу CSF, из которой импортировать строки</translation>
    </message>
    <message>
        <source>Open a CSF table in a new window</source>
        <translation>Открыть таблицу CSF в новом окне</translation>
    </message>
    <message>
        <source>This string is only in the reference table; add it to the document first.</source>
        <translation>Эта строка есть только в оригинале; сначала добавьте её в документ.</translation>
    </message>
    <message>
        <source>Add missing</source>
        <translation>Добавить недостающую</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <source>Added from the reference: %1</source>
        <translation>Добавлено из оригинала: %1</translation>
    </message>
</context>
<context>
    <name>vste::ui::ProblemsController</name>
    <message>
        <source>Problems</source>
        <translation>Проблемы</translation>
    </message>
    <message>
        <source>View</source>
        <translation>Вид</translation>
    </message>
    <message>
        <source>No file is open</source>
        <translation>Файл не открыт</translation>
    </message>
    <message>
        <source>Errors: %1, warnings: %2</source>
        <translation>Ошибок: %1, предупреждений: %2</translation>
    </message>
    <message>
        <source>Checking... %1%</source>
        <translation>Проверка... %1%</translation>
    </message>
</context>
<context>
    <name>vste::ui::ProblemsModel</name>
    <message>
        <source>error</source>
        <translation>ошибка</translation>
    </message>
    <message>
        <source>warning</source>
        <translation>предупреждение</translation>
    </message>
    <message>
        <source>value %1: %2</source>
        <translation>значение %1: %2</translation>
    </message>
    <message>
        <source>Rule</source>
        <translation>Правило</translation>
    </message>
    <message>
        <source>Severity</source>
        <translation>Важность</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Имя</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>Сообщение</translation>
    </message>
</context>
<context>
    <name>vste::ui::SaveGuard</name>
    <message>
        <source>value %1: </source>
        <translation>значение %1: </translation>
    </message>
    <message>
        <source>... and %1 more</source>
        <translation>... и ещё %1</translation>
    </message>
    <message>
        <source>Saving %1 would lose or refuse text (errors: %2). Characters the code page cannot hold are written as &apos;?&apos; or a look-alike; names and values too long for the format make the save fail.</source>
        <translation>При сохранении %1 часть текста будет потеряна или не будет принята (ошибок: %2). Символы, которых нет в кодовой странице, записываются как &apos;?&apos; или похожая буква; слишком длинные для формата имена и значения не дают сохранить файл.</translation>
    </message>
    <message>
        <source>Save anyway</source>
        <translation>Всё равно сохранить</translation>
    </message>
    <message>
        <source>Save as Unicode</source>
        <translation>Сохранить в Unicode</translation>
    </message>
    <message>
        <source>%1 cannot be saved: the format refuses these names or sizes (errors: %2).</source>
        <translation>%1 невозможно сохранить: формат не допускает эти имена или размеры (ошибок: %2).</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
</context>
<context>
    <name>vste::ui::MessageText</name>
    <message>
        <source>Stream read error</source>
        <translation>Ошибка чтения потока</translation>
    </message>
    <message>
        <source>The file is not STR text: %1</source>
        <translation>Файл не является текстом STR: %1</translation>
    </message>
    <message>
        <source>it begins with &quot; FSC&quot;, the signature of a compiled CSF table; open it as CSF</source>
        <translation>он начинается с &quot; FSC&quot;, подписи скомпилированной таблицы CSF; откройте его как CSF</translation>
    </message>
    <message>
        <source>it holds a zero byte (at offset %1), as binary files do and text does not</source>
        <translation>в нём есть нулевой байт (по смещению %1), как в двоичных файлах, а в тексте его не бывает</translation>
    </message>
    <message>
        <source>Cannot open file &quot;%1&quot;. %2</source>
        <translation>Не удаётся открыть файл &quot;%1&quot;. %2</translation>
    </message>
    <message>
        <source>Cannot create file &quot;%1&quot;. %2</source>
        <translation>Не удаётся создать файл &quot;%1&quot;. %2</translation>
    </message>
    <message>
        <source>It is %1, not a regular file.</source>
        <translation>Это %1, а не обычный файл.</translation>
    </message>
    <message>
        <source>a FIFO</source>
        <translation>канал FIFO</translation>
    </message>
    <message>
        <source>a socket</source>
        <translation>сокет</translation>
    </message>
    <message>
        <source>a device</source>
        <translation>устройство</translation>
    </message>
    <message>
        <source>a special file</source>
        <translation>особый файл</translation>
    </message>
    <message>
        <source>%2</source>
        <translation>%2</translation>
    </message>
    <message>
        <source>The string &quot;%1&quot; (number %2) cannot be saved as STR: %3</source>
        <translation>Строку &quot;%1&quot; (номер %2) невозможно сохранить в STR: %3</translation>
    </message>
    <message>
        <source>its extra value &quot;%1&quot; holds characters other than letters, digits and _, which STR cannot carry</source>
        <translation>её дополнительное значение &quot;%1&quot; содержит символы, кроме букв, цифр и _, а их STR передать не может</translation>
    </message>
    <message>
        <source>its value holds U+0000, and a file holding a zero byte is not STR text</source>
        <translation>её значение содержит U+0000, а файл с нулевым байтом не является текстом STR</translation>
    </message>
    <message>
        <source>Only a CSF or STR document can be saved as STR text</source>
        <translation>Сохранить как текст STR можно только документ CSF или STR</translation>
    </message>
    <message>
        <source>The string &apos;%1&apos; does not fit: a Westwood string file cannot exceed 65536 bytes</source>
        <translation>Строка &apos;%1&apos; не помещается: файл строк Westwood не может быть больше 65536 байт</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a valid integer value</source>
        <translation>&apos;%1&apos; не является допустимым целым числом</translation>
    </message>
    <message>
        <source>The string &quot;%1&quot; cannot be saved: its name must be a number from 0 to %2</source>
        <translation>Строку &quot;%1&quot; невозможно сохранить: её имя должно быть числом от 0 до %2</translation>
    </message>
    <message>
        <source>The string &quot;%1&quot; cannot be saved: the file would be too big for 32-bit offsets</source>
        <translation>Строку &quot;%1&quot; невозможно сохранить: файл стал бы слишком большим для 32-битных смещений</translation>
    </message>
    <message>
        <source>The string &quot;%1&quot; cannot be saved: the file would be too big for 16-bit offsets</source>
        <translation>Строку &quot;%1&quot; невозможно сохранить: файл стал бы слишком большим для 16-битных смещений</translation>
    </message>
    <message>
        <source>The document cannot be saved: %1 strings are too many for 16-bit offsets</source>
        <translation>Документ невозможно сохранить: строк (%1) слишком много для 16-битных смещений</translation>
    </message>
    <message>
        <source>The string &quot;%1&quot; cannot be saved: its value of %2 characters is too long for a 16-bit size</source>
        <translation>Строку &quot;%1&quot; невозможно сохранить: её значение длиной %2 символов слишком длинное для 16-битного размера</translation>
    </message>
    <message>
        <source>The name of the string &apos;%1&apos; is too long: a Dune 2000 name holds at most 65534 bytes</source>
        <translation>Имя строки &apos;%1&apos; слишком длинное: имя в Dune 2000 вмещает не более 65534 байт</translation>
    </message>
    <message>
        <source>The value of the string &apos;%1&apos; is too long: a Dune 2000 value holds at most 65534 bytes</source>
        <translation>Значение строки &apos;%1&apos; слишком длинное: значение в Dune 2000 вмещает не более 65534 байт</translation>
    </message>
    <message>
        <source>the name is empty</source>
        <translation>имя пустое</translation>
    </message>
    <message>
        <source>the name holds a line end</source>
        <translation>в имени есть конец строки</translation>
    </message>
    <message>
        <source>the name holds a NUL character</source>
        <translation>в имени есть символ NUL</translation>
    </message>
    <message>
        <source>the name begins with a space</source>
        <translation>имя начинается с пробела</translation>
    </message>
    <message>
        <source>the name begins with a tab</source>
        <translation>имя начинается с табуляции</translation>
    </message>
    <message>
        <source>the name ends with a space</source>
        <translation>имя заканчивается пробелом</translation>
    </message>
    <message>
        <source>the name ends with a tab</source>
        <translation>имя заканчивается табуляцией</translation>
    </message>
    <message>
        <source>the name holds //</source>
        <translation>в имени есть //</translation>
    </message>
    <message>
        <source>the name is END</source>
        <translation>имя равно END</translation>
    </message>
    <message>
        <source>the name begins with a quotation mark</source>
        <translation>имя начинается с кавычки</translation>
    </message>
    <message>
        <source>the name reads as a blank line (it has no letter, digit or any of &quot;$&amp;&apos;+-./:?[]_)</source>
        <translation>имя читается как пустая строка (в нём нет ни буквы, ни цифры, ни одного из символов &quot;$&amp;&apos;+-./:?[]_)</translation>
    </message>
    <message>
        <source>the name reads as a comment (leaving out all but letters, digits and &quot;$&amp;&apos;+-./:?[]_, it begins with //)</source>
        <translation>имя читается как комментарий (если оставить в нём только буквы, цифры и &quot;$&amp;&apos;+-./:?[]_, оно начинается с //)</translation>
    </message>
    <message>
        <source>a CSF file</source>
        <translation>файл CSF</translation>
    </message>
    <message>
        <source>an STR file</source>
        <translation>файл STR</translation>
    </message>
    <message>
        <source>an Empire at War file</source>
        <translation>файл Empire at War</translation>
    </message>
    <message>
        <source>a Dune 2000 file</source>
        <translation>файл Dune 2000</translation>
    </message>
    <message>
        <source>a Westwood string file</source>
        <translation>файл строк Westwood</translation>
    </message>
    <message>
        <source>a Liquid text file</source>
        <translation>текстовый файл Liquid</translation>
    </message>
    <message>
        <source>a Blade Runner file</source>
        <translation>файл Blade Runner</translation>
    </message>
    <message>
        <source>a Malcolm&apos;s Revenge file</source>
        <translation>файл Malcolm&apos;s Revenge</translation>
    </message>
    <message>
        <source>string %1 has the same name</source>
        <translation>у строки %1 такое же имя</translation>
    </message>
    <message>
        <source>string %1 (%2) has the same name ignoring case</source>
        <translation>у строки %1 (%2) такое же имя без учёта регистра</translation>
    </message>
    <message>
        <source>%1; the game sees only one of them</source>
        <translation>%1; игра увидит только одну из них</translation>
    </message>
    <message>
        <source>%1; a look-up by key finds only one of them</source>
        <translation>%1; поиск по ключу найдёт только одну из них</translation>
    </message>
    <message>
        <source>not a valid STR label: %1</source>
        <translation>недопустимая метка STR: %1</translation>
    </message>
    <message>
        <source>the key %1 is not the CRC-32 of the name (%2): the game does not find the string by its name</source>
        <translation>ключ %1 не равен CRC-32 имени (%2): игра не найдёт строку по имени</translation>
    </message>
    <message>
        <source>the name is %1 bytes long; %2 holds names of at most %3 bytes</source>
        <translation>длина имени %1 байт; %2 вмещает имена не длиннее %3 байт</translation>
    </message>
    <message>
        <source>the table has %1 strings; %2 holds at most %3, and this is the first one beyond</source>
        <translation>в таблице строк: %1; %2 вмещает не более %3, и это первая лишняя</translation>
    </message>
    <message>
        <source>with this string the file reaches %1 bytes; the offsets of %2 reach at most %3 bytes</source>
        <translation>с этой строкой файл достигает %1 байт; смещения в %2 доходят не более чем до %3 байт</translation>
    </message>
    <message>
        <source>the value is %1 characters long; %2 holds values of at most %3</source>
        <translation>длина значения %1 символов; %2 вмещает значения не длиннее %3</translation>
    </message>
    <message>
        <source>the extra value is %1 bytes long; %2 holds extra values of at most %3 bytes</source>
        <translation>длина дополнительного значения %1 байт; %2 вмещает дополнительные значения не длиннее %3 байт</translation>
    </message>
    <message>
        <source>U+0000 ends the value when it is written as single bytes: the text from there on is lost</source>
        <translation>U+0000 обрывает значение при записи однобайтовыми символами: текст после него теряется</translation>
    </message>
    <message>
        <source>U+0000 cannot be written in STR text: a file holding a zero byte is not read as text</source>
        <translation>U+0000 нельзя записать в текст STR: файл с нулевым байтом не читается как текст</translation>
    </message>
    <message>
        <source>code page %1 cannot hold %2</source>
        <translation>в кодовой странице %1 нет символов %2</translation>
    </message>
    <message>
        <source>%1 (dropped)</source>
        <translation>%1 (выбрасывается)</translation>
    </message>
    <message>
        <source>%1 (written as &apos;%2&apos;)</source>
        <translation>%1 (записывается как &apos;%2&apos;)</translation>
    </message>
    <message>
        <source>and %1 more characters</source>
        <translation>и ещё символов: %1</translation>
    </message>
    <message>
        <source>%1 is the byte 0xFF in code page %2, which the games&apos; STR reader takes for the end of the file: every string after this one is lost</source>
        <translation>%1 — это байт 0xFF в кодовой странице %2, который игровое чтение STR принимает за конец файла: все строки после этой теряются</translation>
    </message>
    <message>
        <source>the value line is %1 bytes long; the games&apos; STR reader keeps %2 bytes of a line and garbles the rest</source>
        <translation>длина строки значения %1 байт; игровое чтение STR сохраняет %2 байт строки, а остальное искажает</translation>
    </message>
    <message>
        <source>the extra value %1 ends in a digit, which the games&apos; STR reader changes</source>
        <translation>дополнительное значение %1 заканчивается цифрой, и игровое чтение STR его изменит</translation>
    </message>
    <message>
        <source>the extra value %1 holds characters other than letters, digits and &apos;_&apos;, which the games&apos; STR reader changes</source>
        <translation>дополнительное значение %1 содержит символы, кроме букв, цифр и &apos;_&apos;, и игровое чтение STR его изменит</translation>
    </message>
    <message>
        <source>the value is empty</source>
        <translation>значение пустое</translation>
    </message>
    <message>
        <source>the value begins with spaces or tabs</source>
        <translation>значение начинается с пробелов или табуляций</translation>
    </message>
    <message>
        <source>the value ends with spaces or tabs</source>
        <translation>значение заканчивается пробелами или табуляциями</translation>
    </message>
    <message>
        <source>the value begins and ends with spaces or tabs</source>
        <translation>значение начинается и заканчивается пробелами или табуляциями</translation>
    </message>
    <message>
        <source>%1, unlike the reference&apos;s</source>
        <translation>%1, в отличие от оригинала</translation>
    </message>
    <message>
        <source>the placeholders %1 do not match the reference&apos;s %2 (plain ones are taken in order and must match one for one)</source>
        <translation>подстановки %1 не совпадают с подстановками оригинала %2 (простые берутся по порядку и должны совпадать одна к одной)</translation>
    </message>
    <message>
        <source>none</source>
        <translation>нет</translation>
    </message>
    <message>
        <source>the value has %1 line breaks, the reference&apos;s %2</source>
        <translation>переносов строк в значении: %1, в оригинале: %2</translation>
    </message>
    <message>
        <source>the value is the same as the reference&apos;s</source>
        <translation>значение такое же, как в оригинале</translation>
    </message>
    <message>
        <source>the reference has no string of this name</source>
        <translation>в оригинале нет строки с таким именем</translation>
    </message>
    <message>
        <source>only the reference has a string of this name</source>
        <translation>строка с таким именем есть только в оригинале</translation>
    </message>
    <message>
        <source>unknown word %1</source>
        <translation>неизвестное слово %1</translation>
    </message>
    <message>
        <source>%1; suggestions: %2</source>
        <translation>%1; варианты: %2</translation>
    </message>
    <message>
        <source>the reference says %1, which the glossary translates as %2; the value lacks it</source>
        <translation>в оригинале есть %1, что по глоссарию переводится как %2; в значении этого нет</translation>
    </message>
    <message>
        <source>No such file or directory.</source>
        <translation>Нет такого файла или каталога.</translation>
    </message>
    <message>
        <source>Permission denied.</source>
        <translation>Отказано в доступе.</translation>
    </message>
    <message>
        <source>Operation not permitted.</source>
        <translation>Операция не позволена.</translation>
    </message>
    <message>
        <source>Is a directory.</source>
        <translation>Это каталог.</translation>
    </message>
    <message>
        <source>Not a directory.</source>
        <translation>Это не каталог.</translation>
    </message>
    <message>
        <source>File exists.</source>
        <translation>Файл существует.</translation>
    </message>
    <message>
        <source>No space left on device.</source>
        <translation>На устройстве не осталось места.</translation>
    </message>
    <message>
        <source>Read-only file system.</source>
        <translation>Файловая система доступна только для чтения.</translation>
    </message>
    <message>
        <source>Too many levels of symbolic links.</source>
        <translation>Слишком много уровней символьных ссылок.</translation>
    </message>
    <message>
        <source>File name too long.</source>
        <translation>Слишком длинное имя файла.</translation>
    </message>
    <message>
        <source>Input/output error.</source>
        <translation>Ошибка ввода-вывода.</translation>
    </message>
    <message>
        <source>The file is in use by another program.</source>
        <translation>Файл занят другой программой.</translation>
    </message>
    <message>
        <source>The file is read-only.</source>
        <translation>Файл доступен только для чтения.</translation>
    </message>
</context>

<context>
    <name>vste::ui::ExchangeController</name>
    <message>
        <source>CSV, comma-separated</source>
        <translation>CSV, разделитель — запятая</translation>
    </message>
    <message>
        <source>CSV, semicolon-separated</source>
        <translation>CSV, разделитель — точка с запятой</translation>
    </message>
    <message>
        <source>Excel workbook</source>
        <translation>Книга Excel</translation>
    </message>
    <message>
        <source>gettext PO file</source>
        <translation>Файл gettext PO</translation>
    </message>
    <message>
        <source>XLIFF 1.2 file</source>
        <translation>Файл XLIFF 1.2</translation>
    </message>
    <message>
        <source>Export...</source>
        <translation>Экспорт...</translation>
    </message>
    <message>
        <source>Import translation...</source>
        <translation>Импорт перевода...</translation>
    </message>
    <message>
        <source>Import translation</source>
        <translation>Импорт перевода</translation>
    </message>
    <message>
        <source>Exporting. Please Stand By...</source>
        <translation>Экспорт. Пожалуйста, подождите...</translation>
    </message>
    <message>
        <source>Cannot export to %1:
%2</source>
        <translation>Не удалось экспортировать в %1:
%2</translation>
    </message>
    <message>
        <source>Exported to %1</source>
        <translation>Экспортировано в %1</translation>
    </message>
    <message>
        <source>Exchange files</source>
        <translation>Файлы обмена</translation>
    </message>
    <message>
        <source>The file %1 does not exist.</source>
        <translation>Файл %1 не существует.</translation>
    </message>
    <message>
        <source>Cannot tell the exchange format of %1 from its extension (%2).</source>
        <translation>Не удаётся определить формат файла обмена %1 по расширению (%2).</translation>
    </message>
    <message>
        <source>Reading the translation. Please Stand By...</source>
        <translation>Чтение перевода. Пожалуйста, подождите...</translation>
    </message>
    <message>
        <source>Cannot import %1:
%2</source>
        <translation>Не удалось импортировать %1:
%2</translation>
    </message>
    <message>
        <source>Translation imported from %1</source>
        <translation>Перевод импортирован из %1</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <source>Cancelled</source>
        <translation>Отменено</translation>
    </message>
    <message>
        <source>Updated: %1
Unchanged: %2
Not found: %3
Refused: %4</source>
        <translation>Обновлено: %1
Без изменений: %2
Не найдено: %3
Отклонено: %4</translation>
    </message>
    <message>
        <source>...and %1 more</source>
        <translation>...и ещё %1</translation>
    </message>
    <message>
        <source>Not found in the table:</source>
        <translation>Не найдены в таблице:</translation>
    </message>
    <message>
        <source>Refused, since the file&apos;s format cannot store the new text:</source>
        <translation>Отклонены, так как формат файла не может хранить новый текст:</translation>
    </message>
    <message>
        <source>%1, value %2</source>
        <translation>%1, значение %2</translation>
    </message>
    <message>
        <source>Skipped, since the string has no such value:</source>
        <translation>Пропущены, так как у строки нет такого значения:</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Экспорт</translation>
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
<context>
    <name>vste::ui::FindController</name>
    <message>
        <source>Find and Replace</source>
        <translation>Поиск и замена</translation>
    </message>
    <message>
        <source>The reference changed; search again.</source>
        <translation>Оригинал изменился; повторите поиск.</translation>
    </message>
    <message>
        <source>The reference cannot be changed; go to the next match in the document.</source>
        <translation>Оригинал изменить нельзя; перейдите к следующему совпадению в документе.</translation>
    </message>
    <message>
        <source>Find and Replace...</source>
        <translation>Поиск и замена...</translation>
    </message>
    <message>
        <source>Find next</source>
        <translation>Найти далее</translation>
    </message>
    <message>
        <source>Find previous</source>
        <translation>Найти назад</translation>
    </message>
    <message>
        <source>Stopped: the table changed.</source>
        <translation>Остановлено: таблица изменилась.</translation>
    </message>
    <message>
        <source>Type what to find.</source>
        <translation>Введите, что искать.</translation>
    </message>
    <message>
        <source>Invalid pattern: %1</source>
        <translation>Неверный образец: %1</translation>
    </message>
    <message>
        <source>Invalid regular expression at character %1: %2</source>
        <translation>Ошибка в регулярном выражении у символа %1: %2</translation>
    </message>
    <message>
        <source>Open a string table first.</source>
        <translation>Сначала откройте таблицу строк.</translation>
    </message>
    <message>
        <source>Choose where to look.</source>
        <translation>Выберите, где искать.</translation>
    </message>
    <message>
        <source>Stopped.</source>
        <translation>Остановлено.</translation>
    </message>
    <message>
        <source>The search stopped: %1</source>
        <translation>Поиск остановлен: %1</translation>
    </message>
    <message>
        <source>Matches: %1, strings: %2</source>
        <translation>Совпадений: %1, строк: %2</translation>
    </message>
    <message>
        <source>, searching...</source>
        <translation>, идёт поиск...</translation>
    </message>
    <message>
        <source> (the table has changed since)</source>
        <translation> (таблица с тех пор изменилась)</translation>
    </message>
    <message>
        <source>this format stores no names</source>
        <translation>этот формат не хранит имён</translation>
    </message>
    <message>
        <source>the name would become empty</source>
        <translation>имя стало бы пустым</translation>
    </message>
    <message>
        <source>a character the code page lacks</source>
        <translation>символ, которого нет в кодовой странице</translation>
    </message>
    <message>
        <source>another string has the new name</source>
        <translation>новое имя уже есть у другой строки</translation>
    </message>
    <message>
        <source>a value the file cannot store</source>
        <translation>значение, которое файл не может сохранить</translation>
    </message>
    <message>
        <source>This text holds characters that Replace cannot handle; use Replace all.</source>
        <translation>В этом тексте есть символы, с которыми не справляется «Заменить»; используйте «Заменить все».</translation>
    </message>
    <message>
        <source>This match is no longer in the text; search again.</source>
        <translation>Этого совпадения в тексте уже нет; повторите поиск.</translation>
    </message>
    <message>
        <source>Not replaced: %1.</source>
        <translation>Не заменено: %1.</translation>
    </message>
    <message>
        <source>Invalid replacement: %1</source>
        <translation>Неверная замена: %1</translation>
    </message>
    <message>
        <source>Replace all stopped: %1</source>
        <translation>«Заменить все» остановлено: %1</translation>
    </message>
    <message>
        <source>Planning the replacements...</source>
        <translation>Подготовка замен...</translation>
    </message>
    <message>
        <source>and %1 more</source>
        <translation>и ещё %1</translation>
    </message>
    <message>
        <source>%1 strings stay unchanged:</source>
        <translation>Без изменений остаются строки (%1):</translation>
    </message>
    <message>
        <source>Nothing can be replaced.</source>
        <translation>Заменить нечего.</translation>
    </message>
    <message>
        <source>Nothing replaced.</source>
        <translation>Ничего не заменено.</translation>
    </message>
    <message>
        <source>%1 replacements in %2 strings.</source>
        <translation>Замен: %1, строк: %2.</translation>
    </message>
    <message>
        <source>Replace them all?</source>
        <translation>Заменить все?</translation>
    </message>
    <message>
        <source>Replace all cancelled.</source>
        <translation>«Заменить все» отменено.</translation>
    </message>
    <message>
        <source>Replaced: %1 replacements in %2 strings</source>
        <translation>Заменено: замен %1, строк %2</translation>
    </message>
</context>
<context>
    <name>vste::ui::FindPanel</name>
    <message>
        <source>&amp;Find:</source>
        <translation>&amp;Найти:</translation>
    </message>
    <message>
        <source>Text or regular expression</source>
        <translation>Текст или регулярное выражение</translation>
    </message>
    <message>
        <source>Replace &amp;with:</source>
        <translation>&amp;Заменить на:</translation>
    </message>
    <message>
        <source>With a regular expression, $1 inserts what group 1 matched, $0 the whole match, ${name} a named group; \$ is a dollar sign</source>
        <translation>В регулярном выражении $1 вставляет то, что нашла группа 1, $0 — всё совпадение, ${имя} — именованную группу; \$ — знак доллара</translation>
    </message>
    <message>
        <source>Look in:</source>
        <translation>Искать в:</translation>
    </message>
    <message>
        <source>Names</source>
        <translation>Именах</translation>
    </message>
    <message>
        <source>Values</source>
        <translation>Значениях</translation>
    </message>
    <message>
        <source>Extra values</source>
        <translation>Доп. значениях</translation>
    </message>
    <message>
        <source>Reference</source>
        <translation>Оригинале</translation>
    </message>
    <message>
        <source>Match case</source>
        <translation>Учитывать регистр</translation>
    </message>
    <message>
        <source>Whole words</source>
        <translation>Слова целиком</translation>
    </message>
    <message>
        <source>Regular expression</source>
        <translation>Регулярное выражение</translation>
    </message>
    <message>
        <source>Find all</source>
        <translation>Найти все</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Стоп</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>Заменить</translation>
    </message>
    <message>
        <source>Replace all</source>
        <translation>Заменить все</translation>
    </message>
</context>
<context>
    <name>vste::ui::FindResultsModel</name>
    <message>
        <source>name</source>
        <translation>имя</translation>
    </message>
    <message>
        <source>value</source>
        <translation>значение</translation>
    </message>
    <message>
        <source>extra value</source>
        <translation>доп. значение</translation>
    </message>
    <message>
        <source>reference</source>
        <translation>оригинал</translation>
    </message>
    <message>
        <source>Category</source>
        <translation>Категория</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Имя</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Значение</translation>
    </message>
    <message>
        <source>Field</source>
        <translation>Поле</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Текст</translation>
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
    <message>
        <source>Open reference table</source>
        <translation>Открыть таблицу оригинала</translation>
    </message>
    <message>
        <source>Copy reference</source>
        <translation>Копировать оригинал</translation>
    </message>
    <message>
        <source>Puts the reference value into the value box (%1)</source>
        <translation>Вставляет значение оригинала в поле значения (%1)</translation>
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
    <message>
        <source>Choose the table to compare with</source>
        <translation>Выберите таблицу для сравнения</translation>
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
    <name>vste::ui::TypedTextGuard</name>
    <message>
        <source>Name: %1</source>
        <translation>Имя: %1</translation>
    </message>
    <message>
        <source>Extra value: %1</source>
        <translation>Дополнительное значение: %1</translation>
    </message>
    <message>
        <source>Names and extra values are stored in the code page, which cannot hold every character typed. Store them with those characters replaced?</source>
        <translation>Имена и дополнительные значения хранятся в кодовой странице, в которой нет некоторых введённых символов. Сохранить их с заменой этих символов?</translation>
    </message>
    <message>
        <source>Store anyway</source>
        <translation>Всё равно сохранить</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
</context>
<context>
    <name>vste::ui::TAboutForm</name>
    <message>
        <source>About Velmoran String Table Editor</source>
        <translation>О программе Velmoran String Table Editor</translation>
    </message>
    <message>
        <source>Supported Games:</source>
        <translation>Поддерживаемые игры:</translation>
    </message>
    <message>
        <source>By Velmoran Studio</source>
        <translation>Автор: Velmoran Studio</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>ОК</translation>
    </message>
    <message>
        <source>Version %1 (Release Candidate 3)</source>
        <translation>Версия %1 (кандидат в релизы 3)</translation>
    </message>
</context>
<context>
    <name>vste::ui::OpenFormats</name>
    <message>
        <source>Compiled String Table Files (*.CSF)</source>
        <translation>Скомпилированные строковые таблицы (*.CSF)</translation>
    </message>
    <message>
        <source>Uncompiled String Table Files (*.STR)</source>
        <translation>Нескомпилированные строковые таблицы (*.STR)</translation>
    </message>
    <message>
        <source>Empire at War Text Data Files (*.DAT)</source>
        <translation>Текстовые данные Empire at War (*.DAT)</translation>
    </message>
    <message>
        <source>Dune 2000 String Table Files (*.UIB)</source>
        <translation>Строковые таблицы Dune 2000 (*.UIB)</translation>
    </message>
    <message>
        <source>Westwood String Table Files (*.ENG, etc)</source>
        <translation>Строковые таблицы Westwood (*.ENG и др.)</translation>
    </message>
    <message>
        <source>Liquid Text Files (*.LTE)</source>
        <translation>Текстовые файлы Liquid (*.LTE)</translation>
    </message>
    <message>
        <source>Blade Runner\LoL2 String Table Files (*.TRR)</source>
        <translation>Строковые таблицы Blade Runner\LoL2 (*.TRR)</translation>
    </message>
    <message>
        <source>Malcolm&apos;s Revenge String Table Files (*.TRE)</source>
        <translation>Строковые таблицы Malcolm&apos;s Revenge (*.TRE)</translation>
    </message>
</context>
<context>
    <name>vste::ui::ProjectPanels</name>
    <message>
        <source>untranslated: %1</source>
        <translation>не переведено: %1</translation>
    </message>
    <message>
        <source>(empty)</source>
        <translation>(пусто)</translation>
    </message>
    <message>
        <source>(missing)</source>
        <translation>(нет строки)</translation>
    </message>
    <message>
        <source>(cannot be read)</source>
        <translation>(не читается)</translation>
    </message>
    <message>
        <source>Languages</source>
        <translation>Языки</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Файл</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Язык</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>Готовность</translation>
    </message>
    <message>
        <source>Translated</source>
        <translation>Переведено</translation>
    </message>
    <message>
        <source>Untranslated</source>
        <translation>Не переведено</translation>
    </message>
    <message>
        <source>Missing</source>
        <translation>Нет в переводе</translation>
    </message>
    <message>
        <source>Only here</source>
        <translation>Только здесь</translation>
    </message>
    <message>
        <source>In every language</source>
        <translation>Во всех языках</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Значение</translation>
    </message>
</context>
<context>
    <name>vste::ui::ProjectController</name>
    <message>
        <source>Choose the project&apos;s source table</source>
        <translation>Выберите исходную таблицу проекта</translation>
    </message>
    <message>
        <source>Reading the project&apos;s tables. Please Stand By...</source>
        <translation>Чтение таблиц проекта. Подождите...</translation>
    </message>
    <message>
        <source>Cannot open the project:
%1</source>
        <translation>Не удалось открыть проект:
%1</translation>
    </message>
    <message>
        <source>Open project...</source>
        <translation>Открыть проект...</translation>
    </message>
    <message>
        <source>Recent projects</source>
        <translation>Недавние проекты</translation>
    </message>
    <message>
        <source>Project opened; languages: %1</source>
        <translation>Проект открыт; языков: %1</translation>
    </message>
</context>
<context>
    <name>vste::ui::ValueWrapping</name>
    <message>
        <source>Wrap long values</source>
        <translation>Переносить длинные значения</translation>
    </message>
</context>
<context>
    <name>vste::ui::SpellingController</name>
    <message>
        <source>The spelling dictionary %1 could not be loaded:
%2</source>
        <translation>Не удалось загрузить словарь орфографии %1:
%2</translation>
    </message>
    <message>
        <source>No suggestions</source>
        <translation>Нет вариантов</translation>
    </message>
    <message>
        <source>Add to dictionary</source>
        <translation>Добавить в словарь</translation>
    </message>
    <message>
        <source>The word could not be added to %1:
%2</source>
        <translation>Не удалось добавить слово в %1:
%2</translation>
    </message>
    <message>
        <source>Spelling</source>
        <translation>Орфография</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Нет</translation>
    </message>
</context>
<context>
    <name>vste::ui::GlossaryPanel</name>
    <message>
        <source>The glossary %1 of the last session could not be read again</source>
        <translation>Глоссарий %1 прошлого сеанса не удалось прочитать снова</translation>
    </message>
    <message>
        <source>Choose a glossary (CSV with the columns term and translation)</source>
        <translation>Выберите глоссарий (CSV со столбцами term и translation)</translation>
    </message>
    <message>
        <source>Glossaries</source>
        <translation>Глоссарии</translation>
    </message>
    <message>
        <source>All files</source>
        <translation>Все файлы</translation>
    </message>
    <message>
        <source>The glossary %1 could not be read:
%2</source>
        <translation>Не удалось прочитать глоссарий %1:
%2</translation>
    </message>
    <message>
        <source>missing in the value</source>
        <translation>нет в значении</translation>
    </message>
    <message>
        <source>No glossary is read: Tools &gt; Glossary... chooses one</source>
        <translation>Глоссарий не загружен: выберите его в меню Сервис &gt; Глоссарий...</translation>
    </message>
    <message>
        <source>Terms are looked up in the reference: open one with File &gt; Open reference...</source>
        <translation>Термины ищутся в оригинале: откройте его через Файл &gt; Открыть оригинал...</translation>
    </message>
    <message>
        <source>Glossary %1, terms: %2</source>
        <translation>Глоссарий %1, терминов: %2</translation>
    </message>
    <message>
        <source>Glossary...</source>
        <translation>Глоссарий...</translation>
    </message>
    <message>
        <source>Glossary</source>
        <translation>Глоссарий</translation>
    </message>
    <message>
        <source>Term</source>
        <translation>Термин</translation>
    </message>
    <message>
        <source>Translation</source>
        <translation>Перевод</translation>
    </message>
</context>
<context>
    <name>vste::ui::SuggestionsController</name>
    <message>
        <source>Add a translation memory</source>
        <translation>Добавить память переводов</translation>
    </message>
    <message>
        <source>Translation memories (*.tmx)</source>
        <translation>Памяти переводов (*.tmx)</translation>
    </message>
    <message>
        <source>Suggestions</source>
        <translation>Подсказки</translation>
    </message>
    <message>
        <source>Key</source>
        <translation>Клавиши</translation>
    </message>
    <message>
        <source>Score</source>
        <translation>Сходство</translation>
    </message>
    <message>
        <source>Source</source>
        <translation>Исходный текст</translation>
    </message>
    <message>
        <source>Translation</source>
        <translation>Перевод</translation>
    </message>
    <message>
        <source>Translation memory...</source>
        <translation>Память переводов...</translation>
    </message>
</context>
<context>
    <name>vste::ui::ToolsMenu</name>
    <message>
        <source>&amp;Tools</source>
        <translation>&amp;Сервис</translation>
    </message>
</context>
<context>
    <name>vste::ui::Association</name>
    <message>
        <source>Cannot create file &quot;%1&quot;. %2</source>
        <translation>Не удаётся создать файл &quot;%1&quot;. %2</translation>
    </message>
    <message>
        <source>The folder cannot be created.</source>
        <translation>Не удаётся создать папку.</translation>
    </message>
    <message>
        <source>Cannot write the registry key &quot;%1&quot;.</source>
        <translation>Не удаётся записать раздел реестра &quot;%1&quot;.</translation>
    </message>
</context>
</TS>

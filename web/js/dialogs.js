// The window's message boxes as a page dialog: a notice with OK, a question with Yes (the
// default) and No.
export class Dialogs {
  constructor(texts) {
    this.texts = texts;
    this.box = document.createElement('dialog');
    this.box.id = 'message-box';
    this.title = document.createElement('h2');
    this.message = document.createElement('p');
    this.buttons = document.createElement('div');
    this.buttons.className = 'buttons';
    this.box.append(this.title, this.message, this.buttons);
    document.body.append(this.box);
  }

  tell(title, text) {
    return this.open(title, text, [['web|确定', true]]);
  }

  ask(title, text) {
    return this.open(title, text, [
      ['web|是', true],
      ['web|否', false],
    ]);
  }

  open(title, text, choices) {
    this.title.textContent = title;
    this.message.textContent = text;
    return new Promise((resolve) => {
      const buttons = choices.map(([key, value]) => {
        const button = document.createElement('button');
        button.type = 'button';
        button.textContent = this.texts.text(key);
        button.value = String(value);
        button.addEventListener('click', () => this.box.close(button.value));
        return button;
      });
      this.buttons.replaceChildren(...buttons);
      this.box.addEventListener(
        'close',
        () => resolve(this.box.returnValue === 'true'),
        { once: true },
      );
      this.box.returnValue = 'false';
      this.box.showModal();
      buttons[0].focus();
    });
  }
}
